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
constexpr int kHorizonSamples = 360;
// Levels by which the estimate of the finest sampled level is lowered. Where sampling
// reaches e levels finer than estimated, the finer level would weigh e in a trilinear
// blend; the planet reads the nearest level, finer than the regions hold only where
// e > 0.65. Under trilinear filtering, frames over a surface stale outside its regions
// matched frames over a whole one at every second of the tour's first 900 from a slack
// of 0.1 on, and differed by one level in a few pixels of 3 to 24 frames below.
constexpr double kLevelSlack = 0.15;
// Points per tile side at which the finest level is estimated, edges included.
constexpr int kTilePoints = 4;
constexpr int kNotShown = 127;

inline Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The camera in the sphere's own coordinates: rays there are affine images of the
// world's rays, so the unit sphere can stand for the flattened, turned planet.
struct SphereCamera {
    Vec3 eye, forward, right, up;  // right and up scaled to the screen's half extents
    Vec3 solveT{}, solveX{}, solveY{};
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
        // p - eye = t (forward + x right + y up), solved for t, t x and t y by Cramer's rule.
        const double det = dot(forward, cross(right, up));
        if (det != 0.0) {
            solveT = cross(right, up) * (1.0 / det);
            solveX = cross(up, forward) * (1.0 / det);
            solveY = cross(forward, right) * (1.0 / det);
        }
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

    // Where a point in front of the eye shows on the screen, in -1..1 across each axis.
    bool project(Vec3 p, double& x, double& y) const
    {
        const Vec3 v = p - eye;
        const double t = dot(v, solveT);
        if (!(t > 0.0))
            return false;
        x = dot(v, solveX) / t;
        y = dot(v, solveY) / t;
        return true;
    }

    // True when a point lies inside the view's pyramid.
    bool inView(Vec3 p) const
    {
        double x = 0.0, y = 0.0;
        return project(p, x, y) && std::fabs(x) <= 1.001 && std::fabs(y) <= 1.001;
    }
};

// The finest mip level of the surface that sampling can reach at a point of the sphere,
// from how many texels of level 0 a pixel spans there. The bound is the one every
// implementation keeps (the largest of the four partial derivatives of the texel
// coordinates over the screen), lowered by the slack for the mesh's flat triangles and
// for the points between the ones sampled.
class LevelEstimate {
public:
    LevelEstimate(const SphereCamera& camera, const SurfaceSampling& sampling, double aspect)
        : camera_(camera),
          sampling_(sampling),
          pixelsX_(0.5 * sampling.viewportHeight * aspect),
          pixelsY_(0.5 * sampling.viewportHeight),
          texelU_(2.0 * pi / sampling.width),
          texelV_(pi / sampling.height)
    {
    }

    int at(Vec3 p) const
    {
        const int coarsest = sampling_.maximumLevel;
        const double r = std::sqrt(p.x * p.x + p.y * p.y);
        if (coarsest == 0)
            return 0;
        if (r < 1e-9)
            return coarsest;  // a pole, where one point spans every longitude
        // One texel's step along u and along v, on the screen; without one, the finest.
        double x = 0.0, y = 0.0, xu = 0.0, yu = 0.0, xv = 0.0, yv = 0.0;
        const Vec3 alongU = Vec3{-p.y, p.x, 0.0} * texelU_;
        const Vec3 alongV = Vec3{-p.z * p.x / r, -p.z * p.y / r, r} * texelV_;
        if (!camera_.project(p, x, y) || !camera_.project(p + alongU, xu, yu) || !camera_.project(p + alongV, xv, yv))
            return 0;
        // Pixels per texel, then its inverse: texels per pixel.
        const double a = (xu - x) * pixelsX_, b = (xv - x) * pixelsX_;
        const double c = (yu - y) * pixelsY_, d = (yv - y) * pixelsY_;
        const double det = a * d - b * c;
        if (!(std::fabs(det) > 1e-12))
            return coarsest;
        const double largest = std::max({std::fabs(d), std::fabs(b), std::fabs(c), std::fabs(a)}) / std::fabs(det);
        const double lambda =
            std::log2(largest / std::max(1.0, sampling_.anisotropy)) + sampling_.levelBias - kLevelSlack;
        if (!(lambda > 0.0))
            return 0;
        return std::min(coarsest, static_cast<int>(lambda));
    }

private:
    const SphereCamera& camera_;
    const SurfaceSampling& sampling_;
    double pixelsX_, pixelsY_, texelU_, texelV_;
};

// Which tiles of the texture the view needs, marked from points of the sphere.
class TileGrid {
public:
    static constexpr int columns = 32, rows = 16;

    // Marks the tiles within margin radians of p on the sphere as needed from level on.
    void markAround(Vec3 p, double margin, int level)
    {
        const double latitude = std::asin(std::max(-1.0, std::min(1.0, p.z / length(p))));
        const double south = latitude - margin, north = latitude + margin;
        const int rowFirst = rowOf(south), rowLast = rowOf(north);
        const double polewards = std::max(std::fabs(south), std::fabs(north));
        if (polewards >= pi / 2 - 1e-9) {
            markRows(rowFirst, rowLast, 0, columns, level);
            return;
        }
        const double spread = margin / std::cos(polewards);
        const double longitude = std::atan2(p.y, p.x);
        const int first = static_cast<int>(std::floor((longitude - spread) / (2.0 * pi) * columns));
        const int last = static_cast<int>(std::floor((longitude + spread) / (2.0 * pi) * columns));
        markRows(rowFirst, rowLast, first, std::min(last - first + 1, columns), level);
    }

    void mark(int row, int column, int level)
    {
        signed char& finest = finest_[row][(column % columns + columns) % columns];
        finest = static_cast<signed char>(std::min<int>(finest, level));
    }
    // Whether the tile is needed at this level.
    bool marked(int row, int column, int level) const { return finest_[row][column] <= level; }

private:
    static int rowOf(double latitude)
    {
        return std::max(0, std::min(rows - 1, static_cast<int>(std::floor((latitude / pi + 0.5) * rows))));
    }

    void markRows(int rowFirst, int rowLast, int columnFirst, int count, int level)
    {
        for (int row = rowFirst; row <= rowLast; ++row)
            for (int i = 0; i < count; ++i)
                mark(row, columnFirst + i, level);
    }

    signed char finest_[rows][columns];

public:
    TileGrid()
    {
        for (auto& row : finest_)
            std::fill(std::begin(row), std::end(row), static_cast<signed char>(kNotShown));
    }
};

// Points of the outline of what the view shows, collected as marks on the grid.
struct Samples {
    TileGrid& grid;
    const LevelEstimate& levels;

    void add(Vec3 p) { grid.markAround(p, kMarginRadians, levels.at(p)); }
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

// The points of a lattice over the tiles, kTilePoints to a tile's side with the edges
// shared, that the view shows: each marks the tiles it touches.
void sampleTiles(const SphereCamera& camera, const LevelEstimate& levels, TileGrid& grid)
{
    constexpr int steps = kTilePoints - 1;
    constexpr int latitudes = TileGrid::rows * steps + 1, longitudes = TileGrid::columns * steps;
    double cosLatitude[latitudes], sinLatitude[latitudes], cosLongitude[longitudes], sinLongitude[longitudes];
    for (int i = 0; i < latitudes; ++i) {
        const double latitude = (double(i) / (latitudes - 1) - 0.5) * pi;
        cosLatitude[i] = std::cos(latitude);
        sinLatitude[i] = std::sin(latitude);
    }
    for (int j = 0; j < longitudes; ++j) {
        cosLongitude[j] = std::cos(2.0 * pi * j / longitudes);
        sinLongitude[j] = std::sin(2.0 * pi * j / longitudes);
    }
    for (int i = 0; i < latitudes; ++i)
        for (int j = 0; j < longitudes; ++j) {
            const Vec3 p{cosLatitude[i] * cosLongitude[j], cosLatitude[i] * sinLongitude[j], sinLatitude[i]};
            if (!(dot(p, camera.eye) > 1.0 && camera.inView(p)))
                continue;
            const int level = levels.at(p);
            const int row = i / steps, column = j / steps;
            for (int r = row - (i % steps == 0 ? 1 : 0); r <= std::min(row, TileGrid::rows - 1); ++r)
                for (int c = column - (j % steps == 0 ? 1 : 0); c <= column; ++c)
                    if (r >= 0)
                        grid.mark(r, c, level);
        }
}

// Runs of the tiles needed at a level, row by row, stacked where rows repeat the same
// runs; in that level's texels.
SurfaceRegion regionOf(const TileGrid& grid, int level, int width, int height)
{
    SurfaceRegion region;
    std::vector<TexelBox> open;  // runs of the rows above, still growing downwards
    for (int row = 0; row <= TileGrid::rows; ++row) {
        std::vector<TexelBox> runs;
        for (int column = 0; row < TileGrid::rows && column < TileGrid::columns; ++column) {
            if (!grid.marked(row, column, level))
                continue;
            const int x = column * width / TileGrid::columns;
            const int end = (column + 1) * width / TileGrid::columns;
            if (column > 0 && grid.marked(row, column - 1, level))
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

std::vector<SurfaceRegion> sampledSurfaceRegions(const PlanetView& view, const SurfaceSampling& sampling)
{
    const int levels = std::max(0, sampling.maximumLevel) + 1;
    std::vector<SurfaceRegion> regions;
    const SphereCamera camera(view);
    const bool sizes = sampling.width > 0 && sampling.height > 0;
    if (!(length(camera.eye) > 1.0) || !sizes) {
        for (int level = 0; level < levels; ++level)
            regions.push_back(sizes ? wholeSurface(sampling.width >> level, sampling.height >> level)
                                    : SurfaceRegion());
        return regions;
    }
    // A tile the shown part only touches holds points of its outline (the horizon and
    // the screen's edges); a tile inside it holds points in view.
    const LevelEstimate estimate(camera, sampling, view.aspect);
    TileGrid grid;
    Samples samples{grid, estimate};
    sampleScreenEdges(camera, samples);
    sampleHorizon(camera, samples);
    sampleTiles(camera, estimate, grid);
    for (int level = 0; level < levels; ++level)
        regions.push_back(regionOf(grid, level, sampling.width >> level, sampling.height >> level));
    return regions;
}

SurfaceRegion visibleSurfaceRegion(const PlanetView& view, int width, int height)
{
    SurfaceSampling sampling;
    sampling.width = width;
    sampling.height = height;
    sampling.maximumLevel = 0;
    return sampledSurfaceRegions(view, sampling).front();
}
