#include "scene/SurfaceRegion.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Covers the mesh's flat triangles showing a little beyond the sphere's horizon.
constexpr double kMarginRadians = 3.0 * pi / 180.0;
// Linear filtering reads one texel beyond; one more for rounding.
constexpr int kMarginTexels = 2;
// Screen-edge rays per edge before refinement, how often a stretch between two rays
// may be halved, and the finest step kept between neighbouring hits.
constexpr int kEdgeRays = 32;
constexpr int kRefinements = 10;
constexpr double kSampleStep = 1.0 * pi / 180.0;
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
        const double angle = -view.turnDegrees * pi / 180.0;
        c = std::cos(angle);
        s = std::sin(angle);
        flattening = view.flattening;
        const Vec3 f = normalised(view.centre - view.eye);
        const Vec3 r = normalised(cross(f, view.up));
        const Vec3 u = cross(r, f);
        const double halfHeight = std::tan(view.fovyDegrees * pi / 360.0);
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

struct Samples {
    std::vector<double> longitudes;
    double south = pi, north = -pi;

    void add(Vec3 p)
    {
        longitudes.push_back(std::atan2(p.y, p.x));
        const double latitude = std::asin(std::max(-1.0, std::min(1.0, p.z / length(p))));
        south = std::min(south, latitude);
        north = std::max(north, latitude);
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

bool poleShown(const SphereCamera& camera, double z)
{
    const Vec3 pole{0.0, 0.0, z};
    return dot(pole, camera.eye) > 1.0 && camera.inView(pole);
}

// Columns [first, first + count) of a texture width wide, split where they wrap.
SurfaceRegion columnsToRegion(long first, long count, int rowFirst, int rowCount, int width)
{
    SurfaceRegion region;
    if (count >= width) {
        region.boxes[region.count++] = {0, rowFirst, width, rowCount};
        return region;
    }
    const int start = static_cast<int>(((first % width) + width) % width);
    const int run = static_cast<int>(count);
    const int head = std::min(run, width - start);
    region.boxes[region.count++] = {start, rowFirst, head, rowCount};
    if (head < run)
        region.boxes[region.count++] = {0, rowFirst, run - head, rowCount};
    return region;
}

// The shortest arc of longitudes holding every sample: the circle less its widest gap.
void longitudeArc(std::vector<double>& longitudes, double& west, double& span)
{
    std::sort(longitudes.begin(), longitudes.end());
    double widestGap = longitudes.front() + 2.0 * pi - longitudes.back();
    west = longitudes.front();
    for (size_t i = 1; i < longitudes.size(); ++i) {
        const double gap = longitudes[i] - longitudes[i - 1];
        if (gap > widestGap) {
            widestGap = gap;
            west = longitudes[i];
        }
    }
    span = 2.0 * pi - widestGap;
}
}  // namespace

SurfaceRegion wholeSurface(int width, int height)
{
    SurfaceRegion region;
    region.boxes[region.count++] = {0, 0, width, height};
    return region;
}

SurfaceRegion visibleSurfaceRegion(const PlanetView& view, int width, int height)
{
    const SphereCamera camera(view);
    if (!(length(camera.eye) > 1.0) || width <= 0 || height <= 0)
        return wholeSurface(width, height);
    // The shown part's extremes of latitude and longitude lie on its outline (the
    // horizon and the screen's edges) or at a pole.
    Samples samples;
    sampleScreenEdges(camera, samples);
    sampleHorizon(camera, samples);
    const bool north = poleShown(camera, 1.0), south = poleShown(camera, -1.0);
    if (samples.longitudes.empty() && !north && !south)
        return SurfaceRegion();
    if (north)
        samples.north = pi / 2;
    if (south)
        samples.south = -pi / 2;
    const double southmost = std::max(samples.south - kMarginRadians, -pi / 2);
    const double northmost = std::min(samples.north + kMarginRadians, pi / 2);
    const int rowFirst = std::max(0, static_cast<int>(std::floor((southmost / pi + 0.5) * height)) - kMarginTexels);
    const int rowEnd = std::min(height, static_cast<int>(std::ceil((northmost / pi + 0.5) * height)) + kMarginTexels);
    // Near a pole the mesh's triangles stretch over every longitude.
    if (northmost >= pi / 2 || southmost <= -pi / 2 || samples.longitudes.empty())
        return columnsToRegion(0, width, rowFirst, rowEnd - rowFirst, width);
    double west = 0.0, span = 0.0;
    longitudeArc(samples.longitudes, west, span);
    // A margin on the sphere spans more longitude the nearer the pole.
    const double latitude = std::max(std::fabs(samples.south), std::fabs(samples.north));
    const double margin = kMarginRadians / std::cos(latitude);
    const long firstColumn = static_cast<long>(std::floor((west - margin) / (2.0 * pi) * width)) - kMarginTexels;
    const long endColumn = static_cast<long>(std::ceil((west + span + margin) / (2.0 * pi) * width)) + kMarginTexels;
    return columnsToRegion(firstColumn, endColumn - firstColumn, rowFirst, rowEnd - rowFirst, width);
}
