#include "GeneratedPack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "scene/Angles.h"

namespace {

struct Vertex {
    float position[3], normal[3], u, v;
};

std::vector<Vertex> shapeVertices(int32_t& count)
{
    std::vector<uint8_t> file = GeneratedPack::instance().member("dispher.dat");
    count = -1;
    if (file.size() < 4)
        return {};
    std::memcpy(&count, file.data(), 4);
    std::vector<Vertex> vertices((file.size() - 4) / sizeof(Vertex));
    std::memcpy(vertices.data(), file.data() + 4, vertices.size() * sizeof(Vertex));
    return vertices;
}

double length(const float* v)
{
    return std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
}

TEST(ShapeFile, HoldsElevenThousandFiveHundredTwentyTrianglesOnTheUnitSphere)
{
    int32_t count = 0;
    std::vector<Vertex> vertices = shapeVertices(count);
    ASSERT_EQ(count, 11520);
    ASSERT_EQ(vertices.size(), 3u * 11520u);
    for (const Vertex& vertex : vertices) {
        ASSERT_NEAR(length(vertex.position), 1.0, 0.0002);
        ASSERT_NEAR(length(vertex.normal), 1.0, 1e-5);
        for (int i = 0; i < 3; ++i)
            ASSERT_NEAR(vertex.normal[i], vertex.position[i], 1e-5);
    }
}

TEST(ShapeFile, TrianglesTurnCounterClockwiseSeenFromOutsideAndCoverTheSphereOnce)
{
    int32_t count = 0;
    std::vector<Vertex> vertices = shapeVertices(count);
    ASSERT_EQ(vertices.size(), 3u * 11520u);
    double area = 0.0;
    for (size_t t = 0; t < vertices.size(); t += 3) {
        const float *a = vertices[t].position, *b = vertices[t + 1].position, *c = vertices[t + 2].position;
        double e1[3], e2[3];
        for (int i = 0; i < 3; ++i) {
            e1[i] = b[i] - a[i];
            e2[i] = c[i] - a[i];
        }
        double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        ASSERT_GT(n[0] * (a[0] + b[0] + c[0]) + n[1] * (a[1] + b[1] + c[1]) + n[2] * (a[2] + b[2] + c[2]), 0.0)
            << t / 3;
        area += 0.5 * std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    }
    // Flat facets fall slightly short of the sphere's 4π; holes or overlaps would not.
    EXPECT_NEAR(area / (4.0 * pi), 0.998, 0.002);
}

TEST(ShapeFile, TextureCoordinatesFollowLongitudeAndLatitude)
{
    int32_t count = 0;
    std::vector<Vertex> vertices = shapeVertices(count);
    ASSERT_EQ(vertices.size(), 3u * 11520u);
    float lowest = 2.0f, highest = -2.0f;
    for (size_t t = 0; t < vertices.size(); t += 3) {
        float low = 2.0f, high = -2.0f;
        for (size_t k = t; k < t + 3; ++k) {
            const Vertex& vertex = vertices[k];
            double latitude = degrees(std::asin(vertex.position[2]));
            ASSERT_NEAR(vertex.v, (latitude + 90.0) / 180.0, 1e-5);
            low = std::fmin(low, vertex.u);
            high = std::fmax(high, vertex.u);
            bool pole = std::fabs(vertex.position[2]) > 0.99999f;
            if (!pole) {
                double turns = std::atan2(vertex.position[1], vertex.position[0]) / (2.0 * pi);
                double offset = vertex.u - turns;
                ASSERT_NEAR(offset - std::round(offset), 0.0, 1e-5) << "u is not the longitude at triangle " << t / 3;
            }
        }
        ASSERT_LT(high - low, 0.25) << "triangle " << t / 3 << " jumps across the seam";
        lowest = std::fmin(lowest, low);
        highest = std::fmax(highest, high);
    }
    EXPECT_GE(lowest, -0.12f - 1e-6f);
    EXPECT_LT(lowest, -0.1f);
    EXPECT_LE(highest, 1.0f);
    EXPECT_GT(highest, 0.99f);
}

}  // namespace
