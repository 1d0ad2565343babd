#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "scene/SurfaceRegion.h"
#include "scene/Angles.h"

namespace {

const int kWidth = 2048;
const int kHeight = 1024;

bool contains(const SurfaceRegion& region, int x, int y)
{
    for (const TexelBox& b : region.boxes) {
        if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height)
            return true;
    }
    return false;
}

long area(const SurfaceRegion& region)
{
    long sum = 0;
    for (const TexelBox& b : region.boxes)
        sum += static_cast<long>(b.width) * b.height;
    return sum;
}

PlanetView lookingAt(Vec3 eye, Vec3 centre = {0.0, 0.0, 0.0}, Vec3 up = {0.0, 0.0, 1.0})
{
    PlanetView view;
    view.eye = eye;
    view.centre = centre;
    view.up = up;
    return view;
}

// The texel a point of the unit sphere samples.
void texelOf(Vec3 p, int& x, int& y)
{
    double u = std::atan2(p.y, p.x) / (2.0 * pi);
    if (u < 0.0)
        u += 1.0;
    const double v = std::asin(std::fmax(-1.0, std::fmin(1.0, p.z / length(p)))) / pi + 0.5;
    x = std::min(kWidth - 1, static_cast<int>(u * kWidth));
    y = std::min(kHeight - 1, static_cast<int>(v * kHeight));
}

Vec3 crossProduct(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Where the ray through screen point (sx, sy) meets the turned, flattened planet, in the
// planet's unturned, unflattened coordinates.
bool planetPoint(const PlanetView& view, double sx, double sy, Vec3& point)
{
    const Vec3 f = normalised(view.centre - view.eye);
    const Vec3 r = normalised(crossProduct(f, view.up));
    const Vec3 u = crossProduct(r, f);
    const double h = std::tan(view.fovyDegrees * pi / 360.0);
    const Vec3 d = normalised(f + r * (sx * h * view.aspect) + u * (sy * h));
    const double a = radians(-view.turnDegrees);
    auto local = [&](Vec3 p) {
        return Vec3{std::cos(a) * p.x - std::sin(a) * p.y, std::sin(a) * p.x + std::cos(a) * p.y,
                    p.z / view.flattening};
    };
    // The planet's frame maps rays to rays: solve |o + t k| = 1 there.
    const Vec3 o = local(view.eye);
    const Vec3 k = local(d);
    const double qa = dot(k, k), qb = dot(o, k), qc = dot(o, o) - 1.0;
    const double disc = qb * qb - qa * qc;
    if (disc < 0.0)
        return false;
    const double t = (-qb - std::sqrt(disc)) / qa;
    point = o + k * t;
    return t > 0.0;
}

TEST(SurfaceRegion, AnEyeOnOrInsideThePlanetOrNowhereGetsTheWholeSurface)
{
    for (Vec3 eye : {Vec3{0.0, 0.0, 0.0}, Vec3{1.0, 0.0, 0.0}, Vec3{0.3, 0.3, 0.3}, Vec3{NAN, 0.0, 2.0}}) {
        const SurfaceRegion region = visibleSurfaceRegion(lookingAt(eye, {5.0, 5.0, 5.0}), kWidth, kHeight);
        ASSERT_EQ(region.boxes.size(), 1u);
        EXPECT_EQ(area(region), static_cast<long>(kWidth) * kHeight);
    }
}

TEST(SurfaceRegion, AWholePlanetInViewOverTheSeamJoinsAcrossItAndSkipsTheFarSide)
{
    // From distance 4 the whole disc fits the view; the horizon lies 75.5 degrees away.
    const SurfaceRegion region = visibleSurfaceRegion(lookingAt({4.0, 0.0, 0.0}), kWidth, kHeight);
    EXPECT_TRUE(contains(region, 0, kHeight / 2));
    EXPECT_TRUE(contains(region, kWidth - 1, kHeight / 2));
    EXPECT_FALSE(contains(region, kWidth / 2, kHeight / 2));
    EXPECT_LT(area(region), static_cast<long>(kWidth) * kHeight / 2);
}

TEST(SurfaceRegion, APoleInViewTakesEveryLongitudeThere)
{
    const SurfaceRegion region = visibleSurfaceRegion(lookingAt({0.0, 0.1, 3.0}, {}, {0.0, 1.0, 0.0}), kWidth, kHeight);
    for (int x = 0; x < kWidth; x += 7)
        EXPECT_TRUE(contains(region, x, kHeight - 1)) << x;
    EXPECT_FALSE(contains(region, 0, 0));
}

TEST(SurfaceRegion, APlanetOutOfViewNeedsNothing)
{
    EXPECT_TRUE(visibleSurfaceRegion(lookingAt({3.0, 0.0, 0.0}, {6.0, 0.0, 0.0}), kWidth, kHeight).boxes.empty());
}

TEST(SurfaceRegion, ACloseViewComposesFarLessThanTheHemisphere)
{
    // Skimming over the equator at 0.3 radii: the view shows a strip near the horizon.
    const SurfaceRegion region = visibleSurfaceRegion(lookingAt({1.3, 0.0, 0.0}, {0.8, 1.0, -0.3}), kWidth, kHeight);
    ASSERT_FALSE(region.boxes.empty());
    EXPECT_LT(area(region), static_cast<long>(kWidth) * kHeight / 6);
}

TEST(SurfaceRegion, EveryTexelAViewShowsIsInside)
{
    std::mt19937 random(7);
    std::normal_distribution<double> normal;
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    auto direction = [&] { return normalised(Vec3{normal(random), normal(random), normal(random)}); };
    for (int trial = 0; trial < 400; ++trial) {
        PlanetView view;
        const double d = 1.03 + 12.0 * std::pow(0.5 * (unit(random) + 1.0), 2.0);
        view.eye = direction() * d;
        view.centre = direction() * (0.8 * unit(random));  // near the planet, not always on it
        view.up = direction();
        view.turnDegrees = 180.0 * unit(random);
        view.flattening = 0.93;
        view.eye.z *= 0.93;
        const SurfaceRegion region = visibleSurfaceRegion(view, kWidth, kHeight);
        // Boxes inside the texture that never overlap: no texel is composed twice.
        std::vector<char> covered(static_cast<size_t>(kWidth) * kHeight, 0);
        for (const TexelBox& b : region.boxes) {
            ASSERT_TRUE(b.x >= 0 && b.y >= 0 && b.width > 0 && b.height > 0);
            ASSERT_TRUE(b.x + b.width <= kWidth && b.y + b.height <= kHeight);
            for (int y = b.y; y < b.y + b.height; y += 16)
                for (int x = b.x; x < b.x + b.width; x += 16)
                    ASSERT_EQ(covered[size_t(y) * kWidth + x]++, 0);
        }
        for (int i = 0; i < 200; ++i) {
            Vec3 p;
            if (!planetPoint(view, unit(random), unit(random), p))
                continue;
            int x = 0, y = 0;
            texelOf(p, x, y);
            ASSERT_TRUE(contains(region, x, y)) << "trial " << trial;
        }
    }
}

}  // namespace

namespace {

// Texel coordinates of level 0 at the point a screen position shows, in pixels.
bool texelAt(const PlanetView& view, int viewportHeight, double px, double py, double& u, double& v)
{
    const double halfWidth = 0.5 * viewportHeight * view.aspect, halfHeight = 0.5 * viewportHeight;
    Vec3 p;
    if (!planetPoint(view, px / halfWidth, py / halfHeight, p))
        return false;
    u = std::atan2(p.y, p.x) / (2.0 * pi) * kWidth;
    v = (std::asin(std::fmax(-1.0, std::fmin(1.0, p.z / length(p)))) / pi + 0.5) * kHeight;
    return true;
}

double wrapped(double du)
{
    return du - kWidth * std::round(du / kWidth);
}

// Views around the planet at distances from 1.1 to 13 radii, turned, flattened.
std::vector<PlanetView> randomViews(int count)
{
    std::mt19937 random(11);
    std::normal_distribution<double> normal;
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    auto direction = [&] { return normalised(Vec3{normal(random), normal(random), normal(random)}); };
    std::vector<PlanetView> views;
    for (int i = 0; i < count; ++i) {
        PlanetView view;
        view.eye = direction() * (1.1 + 12.0 * std::pow(0.5 * (unit(random) + 1.0), 2.0));
        view.centre = direction() * (0.8 * unit(random));
        view.up = direction();
        view.turnDegrees = 180.0 * unit(random);
        view.flattening = 0.93;
        view.eye.z *= 0.93;
        views.push_back(view);
    }
    return views;
}

// With the program's bias and without one.
class SampledTexels : public ::testing::TestWithParam<double> {};

TEST_P(SampledTexels, EveryTexelAPixelSamplesIsInTheRegionOfEachLevelItReads)
{
    SurfaceSampling sampling;
    sampling.maximumLevel = 3;
    sampling.levelBias = GetParam();
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int checked = 0;
    for (const PlanetView& view : randomViews(300)) {
        const std::vector<SurfaceRegion> regions = sampledSurfaceRegions(view, sampling);
        ASSERT_EQ(regions.size(), 4u);
        const double halfWidth = 0.5 * sampling.viewportHeight * view.aspect;
        const double halfHeight = 0.5 * sampling.viewportHeight;
        for (int i = 0; i < 100; ++i) {
            const double px = unit(random) * (halfWidth - 1.0), py = unit(random) * (halfHeight - 1.0);
            double u, v, ux, vx, uy, vy;
            if (!texelAt(view, sampling.viewportHeight, px, py, u, v) ||
                !texelAt(view, sampling.viewportHeight, px + 1.0, py, ux, vx) ||
                !texelAt(view, sampling.viewportHeight, px, py + 1.0, uy, vy))
                continue;
            // The least level of detail any implementation may take: the largest of the
            // four derivatives; trilinear filtering reads that level and the next.
            const double largest = std::max(
                {std::fabs(wrapped(ux - u)), std::fabs(wrapped(uy - u)), std::fabs(vx - v), std::fabs(vy - v)});
            const int finest = std::clamp(static_cast<int>(std::floor(std::log2(largest) + sampling.levelBias)), 0, 3);
            if (u < 0.0)
                u += kWidth;
            for (int level = finest; level <= std::min(finest + 1, 3); ++level) {
                const int x = std::min((kWidth >> level) - 1, static_cast<int>(u) >> level);
                const int y = std::min((kHeight >> level) - 1, static_cast<int>(v) >> level);
                ASSERT_TRUE(contains(regions[level], x, y)) << "level " << level << ", finest " << finest;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 10000);
}

INSTANTIATE_TEST_SUITE_P(LevelBias, SampledTexels, ::testing::Values(0.0, 0.5));

TEST(SampledSurfaceRegions, TheFullSizeLevelIsComposedOnlyWhereTheViewComesClose)
{
    SurfaceSampling sampling;
    sampling.maximumLevel = 3;
    // From 4.5 radii, the planet fills half the screen's height: level 0 only near the
    // middle of its face, the coarser levels over all of it.
    const std::vector<SurfaceRegion> near = sampledSurfaceRegions(lookingAt({4.5, 0.0, 0.3}), sampling);
    const long visible = area(visibleSurfaceRegion(lookingAt({4.5, 0.0, 0.3}), kWidth, kHeight));
    EXPECT_GT(area(near[0]), 0);
    EXPECT_LT(area(near[0]), visible / 2);
    EXPECT_EQ(area(near[3]) * 64, visible);
    std::printf("texels from 4.5 radii, levels 0 to 3: %ld %ld %ld %ld (visible at level 0: %ld)\n", area(near[0]),
                area(near[1]), area(near[2]), area(near[3]), visible);
    // From 60 radii, where a pixel spans some 20 texels of level 0, only the smallest.
    const std::vector<SurfaceRegion> far = sampledSurfaceRegions(lookingAt({60.0, 0.0, 0.0}), sampling);
    for (int level = 0; level < 3; ++level)
        EXPECT_EQ(area(far[level]), 0) << "level " << level;
    EXPECT_GT(area(far[3]), 0);
}

TEST(SampledSurfaceRegions, AnisotropicFilteringReachesFinerLevels)
{
    SurfaceSampling plain, anisotropic;
    plain.maximumLevel = anisotropic.maximumLevel = 3;
    anisotropic.anisotropy = 16.0;
    const PlanetView grazing = lookingAt({1.6, 0.0, 0.8}, {0.0, 0.0, 0.9});
    EXPECT_GT(area(sampledSurfaceRegions(grazing, anisotropic)[0]), area(sampledSurfaceRegions(grazing, plain)[0]));
}

TEST(SampledSurfaceRegions, AnEyeOnOrInsideThePlanetGetsEveryLevelWhole)
{
    SurfaceSampling sampling;
    sampling.maximumLevel = 3;
    const std::vector<SurfaceRegion> regions = sampledSurfaceRegions(lookingAt({0.5, 0.0, 0.0}), sampling);
    ASSERT_EQ(regions.size(), 4u);
    for (int level = 0; level < 4; ++level)
        EXPECT_EQ(area(regions[level]), static_cast<long>(kWidth >> level) * (kHeight >> level));
}

}  // namespace
