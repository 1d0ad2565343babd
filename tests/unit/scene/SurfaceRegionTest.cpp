#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "scene/SurfaceRegion.h"

namespace {

const int kWidth = 2048;
const int kHeight = 1024;

bool contains(const SurfaceRegion& region, int x, int y)
{
    for (int i = 0; i < region.count; ++i) {
        const TexelBox& b = region.boxes[i];
        if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height)
            return true;
    }
    return false;
}

long area(const SurfaceRegion& region)
{
    long sum = 0;
    for (int i = 0; i < region.count; ++i)
        sum += static_cast<long>(region.boxes[i].width) * region.boxes[i].height;
    return sum;
}

// The texel a point of the unit sphere samples.
void texelOf(Vec3 p, int& x, int& y)
{
    double u = std::atan2(p.y, p.x) / (2.0 * pi);
    if (u < 0.0)
        u += 1.0;
    const double v = (std::asin(std::fmax(-1.0, std::fmin(1.0, p.z))) / pi) + 0.5;
    x = std::min(kWidth - 1, static_cast<int>(u * kWidth));
    y = std::min(kHeight - 1, static_cast<int>(v * kHeight));
}

TEST(SurfaceRegion, AnEyeOnOrInsideTheSphereOrNowhereGetsTheWholeSurface)
{
    for (Vec3 eye : {Vec3{0.0, 0.0, 0.0}, Vec3{1.0, 0.0, 0.0}, Vec3{0.3, 0.3, 0.3}, Vec3{NAN, 0.0, 2.0}}) {
        const SurfaceRegion region = visibleSurfaceRegion(eye, kWidth, kHeight);
        ASSERT_EQ(region.count, 1);
        EXPECT_EQ(area(region), static_cast<long>(kWidth) * kHeight);
    }
}

TEST(SurfaceRegion, AnEyeOverTheSeamGetsTwoBoxesJoiningAcrossIt)
{
    // From distance 2 the horizon lies 60 degrees away, plus the margin.
    const SurfaceRegion region = visibleSurfaceRegion({2.0, 0.0, 0.0}, kWidth, kHeight);
    ASSERT_EQ(region.count, 2);
    EXPECT_EQ(region.boxes[0].x + region.boxes[0].width, kWidth);
    EXPECT_EQ(region.boxes[1].x, 0);
    EXPECT_NEAR(region.boxes[0].width + region.boxes[1].width, 2.0 * 65.0 / 360.0 * kWidth, 8.0);
    EXPECT_TRUE(contains(region, 0, kHeight / 2));
    EXPECT_FALSE(contains(region, kWidth / 2, kHeight / 2));
    EXPECT_FALSE(contains(region, 0, 0));
    EXPECT_FALSE(contains(region, 0, kHeight - 1));
}

TEST(SurfaceRegion, APoleInViewTakesEveryLongitude)
{
    const SurfaceRegion region = visibleSurfaceRegion({0.0, 0.1, 3.0}, kWidth, kHeight);
    ASSERT_EQ(region.count, 1);
    EXPECT_EQ(region.boxes[0].x, 0);
    EXPECT_EQ(region.boxes[0].width, kWidth);
    EXPECT_EQ(region.boxes[0].y + region.boxes[0].height, kHeight);
    EXPECT_GT(region.boxes[0].y, kHeight / 4);
}

TEST(SurfaceRegion, EveryTexelAnEyeCanSeeIsInside)
{
    std::mt19937 random(7);
    std::normal_distribution<double> normal;
    auto direction = [&] { return normalised(Vec3{normal(random), normal(random), normal(random)}); };
    for (int trial = 0; trial < 300; ++trial) {
        const double d = 1.02 + 40.0 * std::pow(std::uniform_real_distribution<double>()(random), 2.0);
        const Vec3 eye = direction() * d;
        const SurfaceRegion region = visibleSurfaceRegion(eye, kWidth, kHeight);
        for (int i = 0; i < 400; ++i) {
            const Vec3 p = direction();
            if (dot(p, eye) <= 1.0)
                continue;  // behind the horizon
            int x = 0, y = 0;
            texelOf(p, x, y);
            ASSERT_TRUE(contains(region, x, y)) << "eye " << eye.x << ", " << eye.y << ", " << eye.z;
        }
    }
}

TEST(SurfaceRegion, AnEyeOverTheEquatorSkipsTheFarSide)
{
    for (int step = 0; step < 36; ++step) {
        const double longitude = step * 10.0 * pi / 180.0;
        const double d = 1.05 + step * 0.08;
        const SurfaceRegion region =
            visibleSurfaceRegion({d * std::cos(longitude), d * std::sin(longitude), 0.0}, kWidth, kHeight);
        int x = 0, y = 0;
        texelOf({-std::cos(longitude), -std::sin(longitude), 0.0}, x, y);
        EXPECT_FALSE(contains(region, x, y)) << step;
        EXPECT_LT(area(region), static_cast<long>(kWidth) * kHeight / 2) << step;
    }
}

TEST(SurfaceRegion, TheEyeIsTurnedBackWithThePlanetAndUnflattened)
{
    const Vec3 eye = eyeInPlanetFrame({2.0, 0.0, 0.93}, 90.0, 0.93);
    EXPECT_NEAR(eye.x, 0.0, 1e-12);
    EXPECT_NEAR(eye.y, -2.0, 1e-12);
    EXPECT_NEAR(eye.z, 1.0, 1e-12);
}

}  // namespace
