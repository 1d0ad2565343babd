#include "scene/SurfaceRegion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/Angles.h"

namespace {
// Covers the mesh's flat triangles showing a little beyond the sphere's horizon, the
// outline's sampling step and linear filtering's neighbouring texel.
constexpr double kMarginRadians = radians(4.0);
// Screen-edge rays per edge before refinement, how often a stretch between two rays
// may be halved, and the finest step kept between neighbouring hits.
constexpr int kEdgeRays = 32;
constexpr int kRefinements = 10;
constexpr double kSampleStep = radians(1.0);
constexpr int kHorizonSamples = 720;

inline Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The camera in the sphere's own coordinates: rays there are affine images of the
// world's rays, so the unit sphere can stand for the flattened, turned planet.
struct SphereCamera {
    Vec3 eye, forward, right, up;  // right and up scaled to the screen's half extents
    double c, s, flattening;

    explicit SphereCamera(const PlanetView& view)
    {
        const double angle = radians(-view.turnDegrees);
        c = std::cos(angle);
        s = std::sin(angle);
        flattening = view.flattening;
        const Vec3 f = normalised(view.centre - view.eye);
        const Vec3 r = normalised(cross(f, view.up));
        const Vec3 u = cross(r, f);
        const double halfHeight = std::tan(radians(view.fovyDegrees) / 2.0);
        eye = toSphere(view.eye);
        forward = toSphere(f);
        right = toSphere(r * (halfHeight * view.aspect));
        up = toSphere(u * halfHeight);
    }

    Vec3 toSphere(Vec3 p) const { return {c * p.x - s * p.y, s * p.x + c * p.y, p.z / flattening}; }

    // The first point of the sphere on the ray through screen point (x, y), in -1..1.
    bool hit(double x, double y, Vec3& point) const
    {
        const Vec3 d = forward + right * x + up * y;
        const double a = dot(d, d), b = dot(eye, d), k = dot(eye, eye) - 1.0;
        const double disc = b * b - a * k;
        if (disc < 0.0)
            return false;
        const double t = (-b - std::sqrt(disc)) / a;
        point = eye + d * t;
        return t > 0.0;
    }

    // True when a point lies inside the view's pyramid.
    bool inView(Vec3 p) const
    {
        // Solve p - eye = t (forward + x right + y up) for t, t x and t y.
        const Vec3 v = p - eye;
        const Vec3 ru = cross(right, up);
        const double det = dot(forward, ru);
        if (det == 0.0)
            return false;
        const double t = dot(v, ru) / det;
        const double x = dot(forward, cross(v, up)) / det;
        const double y = dot(forward, cross(right, v)) / det;
        return t > 0.0 && std::fabs(x) <= t * 1.001 && std::fabs(y) <= t * 1.001;
    }
};

// Which tiles of the texture the view needs, marked from points of the sphere.
class TileGrid {
public:
    static constexpr int columns = 32, rows = 16;

    // Marks the tiles within margin radians of p on the sphere.
    void markAround(Vec3 p, double margin)
    {
        const double latitude = std::asin(std::max(-1.0, std::min(1.0, p.z / length(p))));
        const double south = latitude - margin, north = latitude + margin;
        const int rowFirst = rowOf(south), rowLast = rowOf(north);
        const double polewards = std::max(std::fabs(south), std::fabs(north));
        if (polewards >= pi / 2 - 1e-9) {
            markRows(rowFirst, rowLast, 0, columns);
            return;
        }
        const double spread = margin / std::cos(polewards);
        const double longitude = std::atan2(p.y, p.x);
        const int first = static_cast<int>(std::floor((longitude - spread) / (2.0 * pi) * columns));
        const int last = static_cast<int>(std::floor((longitude + spread) / (2.0 * pi) * columns));
        markRows(rowFirst, rowLast, first, std::min(last - first + 1, columns));
    }

    void mark(int row, int column) { tiles_[row][column] = true; }
    bool marked(int row, int column) const { return tiles_[row][column]; }

    // The centre of a tile on the unit sphere.
    static Vec3 centre(int row, int column)
    {
        const double latitude = ((row + 0.5) / rows - 0.5) * pi;
        const double longitude = (column + 0.5) / columns * 2.0 * pi;
        return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude), std::sin(latitude)};
    }

private:
    static int rowOf(double latitude)
    {
        return std::max(0, std::min(rows - 1, static_cast<int>(std::floor((latitude / pi + 0.5) * rows))));
    }

    void markRows(int rowFirst, int rowLast, int columnFirst, int count)
    {
        for (int row = rowFirst; row <= rowLast; ++row)
            for (int i = 0; i < count; ++i)
                tiles_[row][((columnFirst + i) % columns + columns) % columns] = true;
    }

    bool tiles_[rows][columns] = {};
};

// Points of the outline of what the view shows, collected as marks on the grid.
struct Samples {
    TileGrid& grid;
    int count = 0;

    void add(Vec3 p)
    {
        grid.markAround(p, kMarginRadians);
        ++count;
    }
};

// Follows the screen edge from a to b, halving where hits lie far apart.
void sampleEdge(const SphereCamera& camera, double ax, double ay, double bx, double by, int depth, Samples& out)
{
    Vec3 pa, pb;
    const bool ha = camera.hit(ax, ay, pa), hb = camera.hit(bx, by, pb);
    if (!ha && !hb)
        return;
    if (depth == 0 || (ha && hb && std::acos(std::min(1.0, dot(pa, pb))) <= kSampleStep)) {
        if (ha)
            out.add(pa);
        return;
    }
    const double mx = 0.5 * (ax + bx), my = 0.5 * (ay + by);
    sampleEdge(camera, ax, ay, mx, my, depth - 1, out);
    sampleEdge(camera, mx, my, bx, by, depth - 1, out);
}

void sampleScreenEdges(const SphereCamera& camera, Samples& out)
{
    static const double corners[5][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
    for (int edge = 0; edge < 4; ++edge)
        for (int i = 0; i < kEdgeRays; ++i) {
            const double* from = corners[edge];
            const double* to = corners[edge + 1];
            const double a = double(i) / kEdgeRays, b = double(i + 1) / kEdgeRays;
            sampleEdge(camera, from[0] + (to[0] - from[0]) * a, from[1] + (to[1] - from[1]) * a,
                       from[0] + (to[0] - from[0]) * b, from[1] + (to[1] - from[1]) * b, kRefinements, out);
        }
}

// The horizon's points that the view shows.
void sampleHorizon(const SphereCamera& camera, Samples& out)
{
    const Vec3 e = camera.eye;
    const double d2 = dot(e, e);
    const Vec3 centre = e * (1.0 / d2);
    const double radius = std::sqrt(1.0 - 1.0 / d2);
    const Vec3 axis = normalised(e);
    const Vec3 helper = std::fabs(axis.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    const Vec3 a = normalised(cross(axis, helper));
    const Vec3 b = cross(axis, a);
    for (int i = 0; i < kHorizonSamples; ++i) {
        const double angle = 2.0 * pi * i / kHorizonSamples;
        const Vec3 p = centre + (a * std::cos(angle) + b * std::sin(angle)) * radius;
        if (camera.inView(p))
            out.add(p);
    }
}

// Runs of marked tiles, row by row, stacked where rows repeat the same runs.
SurfaceRegion regionOf(const TileGrid& grid, int width, int height)
{
    SurfaceRegion region;
    std::vector<TexelBox> open;  // runs of the rows above, still growing downwards
    for (int row = 0; row <= TileGrid::rows; ++row) {
        std::vector<TexelBox> runs;
        for (int column = 0; row < TileGrid::rows && column < TileGrid::columns; ++column) {
            if (!grid.marked(row, column))
                continue;
            const int x = column * width / TileGrid::columns;
            const int end = (column + 1) * width / TileGrid::columns;
            if (column > 0 && grid.marked(row, column - 1))
                runs.back().width = end - runs.back().x;
            else
                runs.push_back({x, row * height / TileGrid::rows, end - x, 0});
        }
        const int y = row * height / TileGrid::rows;
        const bool same = runs.size() == open.size() &&
                          std::equal(runs.begin(), runs.end(), open.begin(), [](const TexelBox& a, const TexelBox& b) {
                              return a.x == b.x && a.width == b.width;
                          });
        if (!same) {
            for (TexelBox& box : open) {
                box.height = y - box.y;
                region.boxes.push_back(box);
            }
            open = runs;
        }
    }
    return region;
}
}  // namespace

SurfaceRegion wholeSurface(int width, int height)
{
    SurfaceRegion region;
    region.boxes.push_back({0, 0, width, height});
    return region;
}

SurfaceRegion visibleSurfaceRegion(const PlanetView& view, int width, int height)
{
    const SphereCamera camera(view);
    if (!(length(camera.eye) > 1.0) || width <= 0 || height <= 0)
        return wholeSurface(width, height);
    // A tile the shown part only touches holds points of its outline (the horizon and
    // the screen's edges); a tile inside it has its centre in view.
    TileGrid grid;
    Samples samples{grid};
    sampleScreenEdges(camera, samples);
    sampleHorizon(camera, samples);
    for (int row = 0; row < TileGrid::rows; ++row)
        for (int column = 0; column < TileGrid::columns; ++column) {
            const Vec3 p = TileGrid::centre(row, column);
            if (dot(p, camera.eye) > 1.0 && camera.inView(p))
                grid.mark(row, column);
        }
    return regionOf(grid, width, height);
}

int surfaceLevel(const PlanetView& view, int viewportHeight, int width, int maximumLevel)
{
    // The nearest surface lies no farther than the distance to the unflattened sphere.
    const double nearest = length(view.eye) - 1.0;
    if (!(nearest > 0.0) || width <= 0)
        return 0;
    const double pixelsPerUnit = 0.5 * viewportHeight / std::tan(radians(view.fovyDegrees) / 2.0) / nearest;
    // As GL picks the nearer mipmap: a level whose texels span up to the square root
    // of 2 pixels, half a level of magnification.
    int level = 0;
    while (level < maximumLevel && pixelsPerUnit * 2.0 * pi / (width >> (level + 1)) <= std::sqrt(2.0))
        ++level;
    return level;
}
