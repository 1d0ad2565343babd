#include <gtest/gtest.h>

#include <cmath>
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

TEST(SurfaceLevel, HalvesTheSurfaceWhileATexelStaysWithinHalfALevelOfAPixel)
{
    // 768 pixels high at 45 degrees: 927 pixels per unit at distance 1; a texel of a
    // 2048-wide surface is 2 pi / 2048 units wide.
    const double f = 384.0 / std::tan(radians(22.5));
    auto levelAt = [](double nearest) { return surfaceLevel(lookingAt({nearest + 1.0, 0.0, 0.0}), 768, 2048, 3); };
    EXPECT_EQ(levelAt(0.5), 0);
    const double root2 = std::sqrt(2.0);
    EXPECT_EQ(levelAt(f * 2.0 * pi / 1024 / root2 * 0.99), 0);  // a 1024-wide texel would cover 1.43 pixels
    EXPECT_EQ(levelAt(f * 2.0 * pi / 1024 / root2 * 1.01), 1);
    EXPECT_EQ(levelAt(f * 2.0 * pi / 512 / root2 * 1.01), 2);
    EXPECT_EQ(levelAt(1000.0), 3);  // never beyond the levels there are
    EXPECT_EQ(surfaceLevel(lookingAt({0.5, 0.0, 0.0}), 768, 2048, 3), 0);
    EXPECT_EQ(surfaceLevel(lookingAt({NAN, 0.0, 0.0}), 768, 2048, 3), 0);
}

}  // namespace
