#include "scene/MeshChunks.h"

#include <algorithm>
#include <cmath>

#include "scene/Angles.h"

namespace {

// Leeway for rounding, radians: a face this close to edge-on covers no pixel anyway.
constexpr double kFacingLeeway = 1e-4;

Vec3 corner(const ShapeVertex& v)
{
    return {v.position[0], v.position[1], v.position[2]};
}

Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The cell of a direction: the cube face its largest component names, then a square of
// that face by the other two components' ratios to it.
int cellOf(Vec3 d, int cells)
{
    const double a[3] = {d.x, d.y, d.z};
    int major = 0;
    for (int i = 1; i < 3; ++i)
        if (std::fabs(a[i]) > std::fabs(a[major]))
            major = i;
    const double m = std::fabs(a[major]);
    if (!(m > 0.0))
        return 0;
    const int face = 2 * major + (a[major] < 0.0 ? 1 : 0);
    auto square = [&](double c) { return std::min(cells - 1, static_cast<int>((c / m + 1.0) * 0.5 * cells)); };
    return (face * cells + square(a[(major + 1) % 3])) * cells + square(a[(major + 2) % 3]);
}

// Axis, spread and bounding sphere from the chunk's triangles.
void measure(MeshChunk& chunk, const ShapeVertex* v)
{
    std::vector<Vec3> faces;
    Vec3 sum, centre;
    for (int32_t t : chunk.triangles) {
        const ShapeVertex* c = v + 3 * static_cast<size_t>(t);
        const Vec3 n = normalised(cross(corner(c[1]) - corner(c[0]), corner(c[2]) - corner(c[0])));
        faces.push_back(n);
        sum = sum + n;
        centre = centre + corner(c[0]) + corner(c[1]) + corner(c[2]);
    }
    chunk.axis = normalised(sum);
    chunk.centre = centre * (1.0 / (3.0 * static_cast<double>(chunk.triangles.size())));
    for (const Vec3& n : faces) {
        const double along = dot(n, chunk.axis);
        // A degenerate face has no side to hide; it keeps the chunk drawn.
        chunk.spread = std::max(chunk.spread, length(n) > 0.0 ? std::acos(std::clamp(along, -1.0, 1.0)) : pi);
    }
    for (int32_t t : chunk.triangles)
        for (int i = 0; i < 3; ++i)
            chunk.radius = std::max(chunk.radius, length(corner(v[3 * static_cast<size_t>(t) + i]) - chunk.centre));
}

bool facesAway(const MeshChunk& chunk, Vec3 eye)
{
    const Vec3 toEye = eye - chunk.centre;
    const double distance = length(toEye);
    if (!(distance > chunk.radius))
        return false;
    // Every line from the chunk to the eye lies within asin(r / distance) of toEye.
    const double angle = std::acos(std::clamp(dot(chunk.axis, toEye) / distance, -1.0, 1.0));
    return angle > 0.5 * pi + chunk.spread + std::asin(chunk.radius / distance) + kFacingLeeway;
}

bool clippedAway(const MeshChunk& chunk, const double plane[4])
{
    const Vec3 normal{plane[0], plane[1], plane[2]};
    return dot(normal, chunk.centre) + plane[3] + chunk.radius * length(normal) < 0.0;
}

}  // namespace

std::vector<MeshChunk> chunkMesh(const ShapeData& shape, int cells)
{
    std::vector<MeshChunk> byCell(static_cast<size_t>(6 * cells * cells));
    const ShapeVertex* v = shape.vertices();
    for (int32_t t = 0; t < shape.triangleCount(); ++t) {
        const ShapeVertex* c = v + 3 * static_cast<size_t>(t);
        byCell[static_cast<size_t>(cellOf(corner(c[0]) + corner(c[1]) + corner(c[2]), cells))].triangles.push_back(t);
    }
    std::vector<MeshChunk> chunks;
    for (MeshChunk& chunk : byCell)
        if (!chunk.triangles.empty()) {
            measure(chunk, v);
            chunks.push_back(std::move(chunk));
        }
    return chunks;
}

ChunkView chunkView(const double modelView[16], const double (*eyePlanes)[4], int planeCount)
{
    auto m = [&](int row, int column) { return modelView[column * 4 + row]; };
    // The eye (the origin of eye space) is -A^-1 t, A the linear part, t the shift:
    // A^-1 is the transposed cofactor matrix over the determinant.
    const Vec3 c0{m(0, 0), m(1, 0), m(2, 0)}, c1{m(0, 1), m(1, 1), m(2, 1)}, c2{m(0, 2), m(1, 2), m(2, 2)};
    const Vec3 r0 = cross(c1, c2), r1 = cross(c2, c0), r2 = cross(c0, c1);
    const double det = dot(c0, r0);
    const Vec3 t{m(0, 3), m(1, 3), m(2, 3)};
    ChunkView view;
    view.eye = Vec3{dot(r0, t), dot(r1, t), dot(r2, t)} * (-1.0 / det);
    view.planeCount = std::min(std::max(planeCount, 0), ChunkView::maxPlanes);
    // A point p is kept when eyePlane . (M p) >= 0, so the mesh's plane is eyePlane M.
    for (int i = 0; i < view.planeCount; ++i)
        for (int column = 0; column < 4; ++column)
            view.planes[i][column] = eyePlanes[i][0] * m(0, column) + eyePlanes[i][1] * m(1, column) +
                                     eyePlanes[i][2] * m(2, column) + eyePlanes[i][3] * m(3, column);
    return view;
}

bool chunkVisible(const MeshChunk& chunk, const ChunkView& view)
{
    if (facesAway(chunk, view.eye))
        return false;
    for (int i = 0; i < view.planeCount; ++i)
        if (clippedAway(chunk, view.planes[i]))
            return false;
    return true;
}
