#include "tools/mesh/GeodesicSphere.h"

#include <array>
#include <cmath>
#include <cstring>

#include "scene/Angles.h"

namespace {

using Vec = std::array<double, 3>;

Vec normalised(const Vec& p)
{
    double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    return {p[0] / length, p[1] / length, p[2] / length};
}

Vec mix(const Vec& a, const Vec& b, const Vec& c, double wb, double wc)
{
    double wa = 1.0 - wb - wc;
    Vec p;
    for (int i = 0; i < 3; ++i)
        p[i] = a[i] * wa + b[i] * wb + c[i] * wc;
    return p;
}

// Icosahedron with vertices on the poles: two rings of five at ±atan(1/2).
struct Icosahedron {
    std::array<Vec, 12> vertex;
    std::array<std::array<int, 3>, 20> face;

    explicit Icosahedron(double turnOffset)
    {
        const double ringZ = 1.0 / std::sqrt(5.0), ringR = 2.0 / std::sqrt(5.0);
        vertex[0] = {0, 0, 1};
        vertex[11] = {0, 0, -1};
        for (int k = 0; k < 5; ++k) {
            double upper = 2.0 * pi * (turnOffset + k / 5.0);
            double lower = upper + pi / 5.0;
            vertex[1 + k] = {ringR * std::cos(upper), ringR * std::sin(upper), ringZ};
            vertex[6 + k] = {ringR * std::cos(lower), ringR * std::sin(lower), -ringZ};
        }
        for (int k = 0; k < 5; ++k) {
            int a = 1 + k, b = 1 + (k + 1) % 5, c = 6 + k, d = 6 + (k + 1) % 5;
            face[4 * k + 0] = {0, a, b};
            face[4 * k + 1] = {a, c, b};
            face[4 * k + 2] = {b, c, d};
            face[4 * k + 3] = {11, d, c};
        }
    }
};

double longitudeTurns(const Vec& p)
{
    double turns = std::atan2(p[1], p[0]) / (2.0 * pi);
    return turns < 0.0 ? turns + 1.0 : turns;
}

bool isPole(const Vec& p)
{
    return std::fabs(p[2]) > 1.0 - 1e-12;
}

// u per corner, continuous across the triangle. Where a triangle straddles the
// seam, corners lying exactly on it move up to 1.0; otherwise the corners east
// of the seam move below 0. A pole takes the mean u of the other two corners.
std::array<double, 3> cornerU(const std::array<Vec, 3>& p)
{
    std::array<double, 3> u{};
    std::array<bool, 3> pole{};
    double low = 1.0, high = 0.0;
    for (int i = 0; i < 3; ++i) {
        pole[i] = isPole(p[i]);
        if (pole[i])
            continue;
        u[i] = longitudeTurns(p[i]);
        low = std::fmin(low, u[i]);
        high = std::fmax(high, u[i]);
    }
    if (high - low > 0.5) {
        bool onSeam = true;
        for (int i = 0; i < 3; ++i)
            if (!pole[i] && u[i] < 0.5 && u[i] > 1e-9)
                onSeam = false;
        for (int i = 0; i < 3; ++i)
            if (!pole[i] && onSeam && u[i] < 0.5)
                u[i] += 1.0;
            else if (!pole[i] && !onSeam && u[i] >= 0.5)
                u[i] -= 1.0;
    }
    double sum = 0.0;
    int count = 0;
    for (int i = 0; i < 3; ++i)
        if (!pole[i]) {
            sum += u[i];
            ++count;
        }
    for (int i = 0; i < 3; ++i)
        if (pole[i])
            u[i] = sum / count;
    return u;
}

GeodesicSphere::Vertex makeVertex(const Vec& p, double u)
{
    GeodesicSphere::Vertex v{};
    for (int i = 0; i < 3; ++i) {
        v.position[i] = static_cast<float>(p[i]);
        v.normal[i] = static_cast<float>(p[i]);
    }
    v.u = static_cast<float>(u);
    v.v = static_cast<float>((degrees(std::asin(std::fmax(-1.0, std::fmin(1.0, p[2])))) + 90.0) / 180.0);
    return v;
}

// Counter-clockwise seen from outside: the face normal points away from the centre.
void orientOutward(std::array<Vec, 3>& p)
{
    Vec e1{p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
    Vec e2{p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
    Vec n{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    double outward = 0.0;
    for (int i = 0; i < 3; ++i)
        outward += n[i] * (p[0][i] + p[1][i] + p[2][i]);
    if (outward < 0.0)
        std::swap(p[1], p[2]);
}

}  // namespace

GeodesicSphere::GeodesicSphere(int frequency, double turnOffset)
{
    Icosahedron solid(turnOffset);
    const double n = frequency;
    auto point = [&](const std::array<int, 3>& f, int i, int j) {
        return normalised(mix(solid.vertex[f[0]], solid.vertex[f[1]], solid.vertex[f[2]], i / n, j / n));
    };
    auto emit = [&](std::array<Vec, 3> p) {
        orientOutward(p);
        std::array<double, 3> u = cornerU(p);
        triangles_.push_back({{makeVertex(p[0], u[0]), makeVertex(p[1], u[1]), makeVertex(p[2], u[2])}});
    };
    for (const auto& f : solid.face)
        for (int i = 0; i < frequency; ++i)
            for (int j = 0; i + j < frequency; ++j) {
                emit({point(f, i, j), point(f, i + 1, j), point(f, i, j + 1)});
                if (i + j + 1 < frequency)
                    emit({point(f, i + 1, j), point(f, i + 1, j + 1), point(f, i, j + 1)});
            }
}

std::vector<uint8_t> GeodesicSphere::shapeFile() const
{
    static_assert(sizeof(Vertex) == 32 && sizeof(Triangle) == 96, "shape-file layout");
    const int32_t count = static_cast<int32_t>(triangles_.size());
    std::vector<uint8_t> bytes(4 + triangles_.size() * sizeof(Triangle));
    // Little-endian host: the in-memory floats are the file's bytes.
    std::memcpy(bytes.data(), &count, 4);
    std::memcpy(bytes.data() + 4, triangles_.data(), triangles_.size() * sizeof(Triangle));
    return bytes;
}
