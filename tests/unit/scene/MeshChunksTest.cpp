#include "scene/MeshChunks.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "scene/Angles.h"

namespace {

Vec3 onSphere(int ring, int step, int rings, int steps)
{
    const double lat = pi * (static_cast<double>(ring) / rings - 0.5), lon = 2.0 * pi * step / steps;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

void addCorner(std::vector<ShapeVertex>& out, Vec3 p)
{
    ShapeVertex v{};
    const float c[3] = {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
    std::memcpy(v.position, c, sizeof c);
    std::memcpy(v.normal, c, sizeof c);
    out.push_back(v);
}

void loadCorners(ShapeData& shape, const std::vector<ShapeVertex>& corners)
{
    std::vector<unsigned char> block(4 + corners.size() * sizeof(ShapeVertex));
    const int32_t count = static_cast<int32_t>(corners.size() / 3);
    std::memcpy(block.data(), &count, 4);
    std::memcpy(block.data() + 4, corners.data(), corners.size() * sizeof(ShapeVertex));
    ASSERT_TRUE(shape.loadFromMemory(block.data(), block.size()));
}

// A unit sphere of rings x steps quads (triangles at the poles), counter-clockwise
// seen from outside.
void loadSphere(ShapeData& shape, int rings, int steps)
{
    std::vector<ShapeVertex> corners;
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < steps; ++s) {
            const Vec3 a = onSphere(r, s, rings, steps), b = onSphere(r, s + 1, rings, steps);
            const Vec3 c = onSphere(r + 1, s + 1, rings, steps), d = onSphere(r + 1, s, rings, steps);
            if (r > 0)  // the south pole's quads are single triangles
                for (Vec3 p : {a, b, c})
                    addCorner(corners, p);
            if (r < rings - 1)
                for (Vec3 p : {a, c, d})
                    addCorner(corners, p);
        }
    loadCorners(shape, corners);
}

Vec3 corner(const ShapeData& shape, int32_t t, int i)
{
    const float* p = shape.vertices()[3 * t + i].position;
    return {p[0], p[1], p[2]};
}

Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// What the pipeline itself would keep of one triangle: it faces the eye and some
// corner lies on the kept side of the plane.
bool triangleShows(const ShapeData& shape, int32_t t, const ChunkView& view)
{
    const Vec3 a = corner(shape, t, 0), b = corner(shape, t, 1), c = corner(shape, t, 2);
    if (dot(cross(b - a, c - a), view.eye - a) <= 0.0)
        return false;
    for (int i = 0; i < view.planeCount; ++i) {
        const double* plane = view.planes[i];
        bool kept = false;
        for (Vec3 p : {a, b, c})
            kept = kept || plane[0] * p.x + plane[1] * p.y + plane[2] * p.z + plane[3] >= 0.0;
        if (!kept)
            return false;
    }
    return true;
}

// Turn about z by degrees, squash z, then move: column-major as OpenGL keeps it.
void modelView(double degreesAboutZ, double squash, Vec3 shift, double out[16])
{
    const double c = std::cos(radians(degreesAboutZ)), s = std::sin(radians(degreesAboutZ));
    const double m[16] = {c, s, 0, 0, -s, c, 0, 0, 0, 0, squash, 0, shift.x, shift.y, shift.z, 1};
    std::memcpy(out, m, sizeof m);
}

TEST(MeshChunks, EveryTriangleLandsInExactlyOneChunk)
{
    ShapeData shape;
    loadSphere(shape, 24, 48);
    const std::vector<MeshChunk> chunks = chunkMesh(shape, 4);
    EXPECT_GT(chunks.size(), 48u);
    EXPECT_LE(chunks.size(), 96u);
    std::vector<int> seen(static_cast<size_t>(shape.triangleCount()), 0);
    for (const MeshChunk& chunk : chunks) {
        EXPECT_FALSE(chunk.triangles.empty());
        EXPECT_LT(chunk.spread, radians(45.0));  // a patch, not a strip around the sphere
        EXPECT_LT(chunk.radius, 0.6);
        for (int32_t t : chunk.triangles)
            ++seen[static_cast<size_t>(t)];
    }
    for (int count : seen)
        ASSERT_EQ(count, 1);
}

TEST(MeshChunks, AnEmptyShapeHasNoChunks)
{
    ShapeData shape;
    EXPECT_TRUE(chunkMesh(shape, 4).empty());
}

TEST(MeshChunks, ViewFindsTheEyeAndCarriesThePlaneIntoTheMesh)
{
    double m[16];
    modelView(30.0, 0.93, {0.5, -1.0, -6.0}, m);
    const ChunkView view = chunkView(m);
    EXPECT_EQ(view.planeCount, 0);
    // The eye in the mesh is where M takes it to the origin.
    const Vec3 e = view.eye;
    EXPECT_NEAR(m[0] * e.x + m[4] * e.y + m[8] * e.z + m[12], 0.0, 1e-12);
    EXPECT_NEAR(m[1] * e.x + m[5] * e.y + m[9] * e.z + m[13], 0.0, 1e-12);
    EXPECT_NEAR(m[2] * e.x + m[6] * e.y + m[10] * e.z + m[14], 0.0, 1e-12);

    const double eyePlanes[3][4] = {{0.0, 0.0, 1.0, 5.0}, {1.0, 0.0, 0.0, 0.0}, {0.0, 1.0, 0.0, 0.0}};
    const ChunkView clipped = chunkView(m, eyePlanes, 3);
    ASSERT_EQ(clipped.planeCount, ChunkView::maxPlanes);  // the third is beyond the pipeline's count
    for (Vec3 p : {Vec3{0, 0, 0}, Vec3{0.3, 0.2, 1.5}, Vec3{-2, 1, -1.2}}) {
        const double eyeZ = m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14];
        const double eyeX = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
        const double* z = clipped.planes[0];
        const double* x = clipped.planes[1];
        EXPECT_NEAR(dot(Vec3{z[0], z[1], z[2]}, p) + z[3], eyeZ + 5.0, 1e-12);
        EXPECT_NEAR(dot(Vec3{x[0], x[1], x[2]}, p) + x[3], eyeX, 1e-12);
    }
}

// No chunk is skipped that holds a triangle the pipeline would draw, and from outside
// the sphere a good share is skipped.
TEST(MeshChunks, SkipsOnlyChunksWithNothingToShow)
{
    ShapeData shape;
    loadSphere(shape, 24, 48);
    const std::vector<MeshChunk> chunks = chunkMesh(shape, 4);
    // No plane, one, another, a pair that leaves a band, one that keeps everything.
    const double planes[][4] = {{0.6, 0.0, 0.8, 3.0}, {-0.8, 0.36, 0.48, -1.0}, {0.0, 1.0, 0.0, 100.0}};
    const double band[2][4] = {{0.0, 0.3, 0.9, 0.4}, {0.0, -0.3, -0.9, 0.4}};
    const struct {
        const double (*planes)[4];
        int count;
    } clips[] = {{nullptr, 0}, {&planes[0], 1}, {&planes[1], 1}, {band, 2}, {&planes[2], 1}};
    for (double distance : {1.05, 1.3, 3.0, 40.0})
        for (double turn : {0.0, 37.0, 200.0})
            for (const auto& clip : clips) {
                double m[16];
                modelView(turn, 0.93, {0.2, 0.1, -distance}, m);
                const ChunkView view = chunkView(m, clip.planes, clip.count);
                size_t skipped = 0;
                for (const MeshChunk& chunk : chunks) {
                    if (chunkVisible(chunk, view))
                        continue;
                    ++skipped;
                    for (int32_t t : chunk.triangles)
                        ASSERT_FALSE(triangleShows(shape, t, view)) << distance << " " << turn;
                }
                if (distance >= 3.0 && clip.count == 0) {
                    EXPECT_GT(skipped, chunks.size() / 4) << distance;
                }
            }
}

// Two parallel squares facing +x, one behind the other: an eye between their levels
// sees the lower one, though the chunk's centre lies behind the eye's level.
TEST(MeshChunks, FacesSpreadAlongTheAxisKeepTheChunkDrawn)
{
    std::vector<ShapeVertex> corners;
    for (double x : {3.0, 4.0})
        for (Vec3 p : {Vec3{x, -0.2, -0.2}, Vec3{x, 0.2, -0.2}, Vec3{x, 0.2, 0.2}, Vec3{x, -0.2, -0.2},
                       Vec3{x, 0.2, 0.2}, Vec3{x, -0.2, 0.2}})
            addCorner(corners, p);
    ShapeData shape;
    loadCorners(shape, corners);
    const std::vector<MeshChunk> chunks = chunkMesh(shape, 1);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_NEAR(chunks[0].spread, 0.0, 1e-9);
    double m[16];
    modelView(0.0, 1.0, {-3.4, -5.0, 0.0}, m);  // the eye at (3.4, 5, 0)
    const ChunkView view = chunkView(m);
    ASSERT_TRUE(triangleShows(shape, 0, view));
    EXPECT_TRUE(chunkVisible(chunks[0], view));
    modelView(0.0, 1.0, {-2.9, -5.0, 0.0}, m);  // below both: nothing shows
    EXPECT_FALSE(chunkVisible(chunks[0], chunkView(m)));
}

TEST(MeshChunks, ThePlaneAloneCanSkipAChunk)
{
    ShapeData shape;
    loadSphere(shape, 24, 48);
    const std::vector<MeshChunk> chunks = chunkMesh(shape, 4);
    double m[16];
    modelView(0.0, 1.0, {0.0, 0.0, -5.0}, m);
    const double keepNear[1][4] = {{0.0, 0.0, 1.0, 4.5}};  // eye z >= -4.5: the front cap
    const ChunkView open = chunkView(m), clipped = chunkView(m, keepNear, 1);
    size_t shownOpen = 0, shownClipped = 0;
    for (const MeshChunk& chunk : chunks) {
        shownOpen += chunkVisible(chunk, open) ? 1 : 0;
        shownClipped += chunkVisible(chunk, clipped) ? 1 : 0;
    }
    EXPECT_LT(shownClipped, shownOpen);
    EXPECT_GT(shownClipped, 0u);
}

}  // namespace
