#include "scene/FlarePlan.h"

#include <cmath>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "scene/Angles.h"

namespace {

// A depth buffer given as a function of the pixel; counts and checks every read.
struct FakeDepth : DepthSampler {
    std::function<float(int, int)> depth = [](int, int) { return 1.0f; };
    int width = 1024, height = 768;
    int reads = 0;
    bool outOfBounds = false;

    float depthAt(int x, int y) override
    {
        ++reads;
        outOfBounds |= x < 0 || y < 0 || x >= width || y >= height;
        return depth(x, y);
    }
};

FlareView viewAtNdc(double ndcX, double ndcY, double winZ = 0.999, int w = 1024, int h = 768)
{
    return {(ndcX + 1.0) / 2.0 * w, (ndcY + 1.0) / 2.0 * h, winZ, w, h};
}

TEST(FlarePlan, SunBehindTheCameraReadsAndDrawsNothing)
{
    FakeDepth depth;
    FlareSprite sprites[flareSpriteCount];
    EXPECT_EQ(planLensFlares(viewAtNdc(0.2, 0.1, 1.0001), depth, sprites), 0);
    EXPECT_EQ(depth.reads, 0);
}

TEST(FlarePlan, WhollyVisibleSunGivesFullIntensityAndTableColours)
{
    FakeDepth depth;
    FlareSprite s[flareSpriteCount];
    ASSERT_EQ(planLensFlares(viewAtNdc(0.3, 0.2), depth, s), flareSpriteCount);
    EXPECT_EQ(depth.reads, 64);
    EXPECT_FALSE(depth.outOfBounds);
    const double aspect = 1024.0 / 768.0;
    const FlareSprite& glow = s[18];  // the largest glow
    EXPECT_NEAR(glow.halfWidth, 1.5, 1e-12);
    EXPECT_NEAR(glow.halfHeight, 1.5 * aspect, 1e-12);
    EXPECT_NEAR(glow.alpha, 0.3 * 0.4, 1e-12);
    for (int i = 0; i < flareElementCount; ++i) {
        EXPECT_EQ(s[i].red, flareElements[i].red) << i;
        EXPECT_EQ(s[i].green, flareElements[i].green) << i;
        EXPECT_EQ(s[i].blue, flareElements[i].blue) << i;
        EXPECT_EQ(s[i].texture, flareElements[i].texture) << i;
        EXPECT_NEAR(s[i].centreX, 0.3 * flareElements[i].position, 1e-12) << i;
    }
    const FlareSprite& streak = s[flareElementCount];
    EXPECT_DOUBLE_EQ(streak.halfWidth, 3.0);
    EXPECT_NEAR(streak.halfHeight, 0.06 * aspect, 1e-12);
    EXPECT_NEAR(streak.alpha, 0.3, 1e-12);
    EXPECT_NEAR(streak.angle, -pi / 4, 1e-15);
    EXPECT_EQ(streak.texture, 5);
}

TEST(FlarePlan, WhollyCoveredSunDrawsNothing)
{
    FakeDepth depth;
    depth.depth = [](int, int) { return 0.5f; };
    FlareSprite s[flareSpriteCount];
    EXPECT_EQ(planLensFlares(viewAtNdc(0.0, 0.0), depth, s), 0);
    EXPECT_EQ(depth.reads, 64);
}

TEST(FlarePlan, HalfCoveredSunHalvesAndTurnsHalfwayToOrange)
{
    FakeDepth depth;
    depth.depth = [&depth](int, int) { return depth.reads % 2 ? 0.5f : 1.0f; };  // every other
    const FlareView view = viewAtNdc(0.0, 0.0);
    FlareSprite s[flareSpriteCount];
    ASSERT_EQ(planLensFlares(view, depth, s), flareSpriteCount);
    EXPECT_NEAR(s[18].halfWidth, 0.75, 1e-12);
    for (int i = 0; i < flareElementCount; ++i) {
        const FlareElement& row = flareElements[i];
        EXPECT_NEAR(s[i].red, (row.red + 1.0) / 2, 1e-6) << i;
        EXPECT_NEAR(s[i].green, (row.green + 0.5) / 2, 1e-6) << i;
        EXPECT_NEAR(s[i].blue, row.blue / 2, 1e-6) << i;
        EXPECT_NEAR(s[i].alpha, 0.15 * row.alpha, 1e-12) << i;
    }
    EXPECT_DOUBLE_EQ(s[flareElementCount].halfWidth, 3.0);
    EXPECT_NEAR(s[flareElementCount].alpha, 0.15, 1e-12);
}

TEST(FlarePlan, SunJustBeyondTheRightEdgeReadsOnlyOnScreenSamples)
{
    FakeDepth depth;
    FlareSprite s[flareSpriteCount];
    const FlareView view = viewAtNdc(1.02, 0.1);
    int onScreen = 0;
    for (int k = 0; k < 64; ++k)
        onScreen += 1.02 + 0.03 * std::cos(k * pi / 32) < 1.0;
    ASSERT_EQ(planLensFlares(view, depth, s), flareSpriteCount);
    EXPECT_EQ(depth.reads, onScreen);
    EXPECT_FALSE(depth.outOfBounds);
    EXPECT_NEAR(s[0].alpha, 0.5 * 0.3 * onScreen / 64.0, 1e-12);
}

TEST(FlarePlan, BeyondTheCutOffNothingIsDrawn)
{
    FakeDepth depth;
    FlareSprite s[flareSpriteCount];
    EXPECT_EQ(planLensFlares(viewAtNdc(0.0, 1.51), depth, s), 0);
    EXPECT_EQ(planLensFlares(viewAtNdc(-1.6, 0.0), depth, s), 0);
    EXPECT_EQ(depth.reads, 0);  // every sample is off screen
}

TEST(FlarePlan, EmptyViewportDrawsNothing)
{
    FakeDepth depth;
    FlareSprite s[flareSpriteCount];
    EXPECT_EQ(planLensFlares({0.0, 0.0, 0.5, 0, 0}, depth, s), 0);
    EXPECT_EQ(depth.reads, 0);
}

TEST(FlarePlan, SunAtTheCentreCentresEveryElementOnIt)
{
    FakeDepth depth;
    FlareSprite s[flareSpriteCount];
    ASSERT_EQ(planLensFlares(viewAtNdc(0.0, 0.0), depth, s), flareSpriteCount);
    for (int i = 0; i < flareElementCount; ++i) {
        EXPECT_NEAR(s[i].centreX, 0.0, 1e-12);
        EXPECT_NEAR(s[i].centreY, 0.0, 1e-12);
        EXPECT_NEAR(s[i].angle, -135.0 * pi / 180.0, 1e-12);
    }
}

TEST(FlarePlan, SpriteCornersAndFourToThreeAspect)
{
    FlareSprite sprite{0.1, -0.2, 0.0, 0.3, 0.4, 1.0, 0, 1, 1, 1};
    FlareCorner c[4];
    flareSpriteCorners(sprite, c);
    EXPECT_NEAR(c[0].x, 0.4, 1e-12);
    EXPECT_NEAR(c[0].y, -0.2, 1e-12);
    EXPECT_NEAR(c[1].x, 0.1, 1e-12);
    EXPECT_NEAR(c[1].y, 0.2, 1e-12);
    EXPECT_NEAR(c[2].x, -0.2, 1e-12);
    EXPECT_NEAR(c[3].y, -0.6, 1e-12);
    EXPECT_EQ(c[0].s, 1);
    EXPECT_EQ(c[0].t, 0);
    EXPECT_EQ(c[2].s, 0);
    EXPECT_EQ(c[2].t, 1);

    // At -pi/4 the quad is axis-aligned with half sizes scaled by sqrt(1/2).
    FakeDepth depth;
    FlareSprite s[flareSpriteCount];
    ASSERT_EQ(planLensFlares(viewAtNdc(0.5, 0.5, 0.9, 800, 600), depth, s), flareSpriteCount);
    flareSpriteCorners(s[flareElementCount], c);
    EXPECT_NEAR(c[0].x - s[flareElementCount].centreX, 3.0 * std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(c[0].x, c[1].x, 1e-12);
    EXPECT_NEAR(c[1].y - c[0].y, 2.0 * s[flareElementCount].halfHeight * std::sqrt(0.5), 1e-12);
    // Circular elements: height is 4/3 of width in device units.
    EXPECT_NEAR(s[1].halfHeight / s[1].halfWidth, 4.0 / 3.0, 1e-12);
}

// The one block read must hold every sample that is read, wherever the sun stands:
// centre, edges, corners, just off screen, odd viewport sizes.
TEST(FlarePlan, SampleBoxHoldsEveryReadAndStaysOnScreen)
{
    const int sizes[][2] = {{1024, 768}, {640, 480}, {333, 97}, {1, 1}};
    const double places[][2] = {{0.0, 0.0}, {0.999, -0.999}, {-1.0, 1.0}, {1.02, 0.3}, {0.4, -1.01}, {0.123, 0.777}};
    for (const auto& size : sizes)
        for (const auto& place : places) {
            FakeDepth depth;
            depth.width = size[0];
            depth.height = size[1];
            const FlareView view = viewAtNdc(place[0], place[1], 0.999, size[0], size[1]);
            const PixelBox box = flareSampleBox(view);
            int outside = 0;
            depth.depth = [&](int x, int y) {
                outside += x < box.x0 || x > box.x1 || y < box.y0 || y > box.y1;
                return 1.0f;
            };
            flareHidden(place[0], place[1], view, depth);
            EXPECT_EQ(outside, 0) << size[0] << "x" << size[1] << " at " << place[0] << ", " << place[1];
            if (depth.reads > 0) {
                EXPECT_GE(box.x0, 0);
                EXPECT_GE(box.y0, 0);
                EXPECT_LT(box.x1, size[0]);
                EXPECT_LT(box.y1, size[1]);
            }
        }
}

TEST(FlarePlan, SampleBoxIsSmallAndEmptyFarOffScreen)
{
    const PixelBox centre = flareSampleBox(viewAtNdc(0.0, 0.0));
    EXPECT_LE((centre.x1 - centre.x0 + 1) * (centre.y1 - centre.y0 + 1), 40 * 32);
    for (const FlareView& far : {viewAtNdc(3.0, 0.0), viewAtNdc(0.0, -3.0), viewAtNdc(1e30, 1e30)}) {
        const PixelBox box = flareSampleBox(far);
        EXPECT_TRUE(box.x0 > box.x1 || box.y0 > box.y1);
    }
}

// A square grey picture whose texels are shade(r), r in picture half-widths.
std::vector<uint8_t> radialPicture(int size, double (*shade)(double), Image& picture)
{
    std::vector<uint8_t> pixels(size_t(size) * size * 3);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) / (size / 2.0);
            const uint8_t value = static_cast<uint8_t>(std::lround(255.0 * shade(r)));
            for (int c = 0; c < 3; ++c)
                pixels[(size_t(y) * size + x) * 3 + c] = value;
        }
    picture.width = picture.height = size;
    picture.bitsPerPixel = 24;
    picture.pixels = pixels.data();
    return pixels;
}

TEST(GlowProfile, FollowsThePicturesRingsAndEndsAtItsInscribedCircle)
{
    Image picture;
    const std::vector<uint8_t> pixels = radialPicture(
        256, [](double r) { return r < 1.0 ? 1.0 - r : 0.0; }, picture);
    GlowProfile profile;
    EXPECT_TRUE(profile.empty());
    profile.readPicture(picture);
    ASSERT_FALSE(profile.empty());
    for (double r : {0.1, 0.25, 0.5, 0.9})
        EXPECT_NEAR(profile.at(r), 1.0 - r, 0.02) << r;
    EXPECT_EQ(profile.at(1.0), 0.0);
    EXPECT_EQ(profile.at(-0.1), 0.0);
    EXPECT_EQ(profile.at(std::nan("")), 0.0);

    picture.height = 128;  // not square: no profile, and none left from before
    profile.readPicture(picture);
    EXPECT_TRUE(profile.empty());
    picture.height = 256;
    picture.bitsPerPixel = 32;
    profile.readPicture(picture);
    EXPECT_TRUE(profile.empty());
}

TEST(FlarePlan, TheTwoWidestGlowsOnTheSunBecomeOneDiscLitByBoth)
{
    int wide = 0;
    for (int i = 0; i < flareElementCount; ++i)
        wide += isWideSunGlow(i);
    EXPECT_EQ(wide, 2);
    EXPECT_TRUE(isWideSunGlow(16));
    EXPECT_TRUE(isWideSunGlow(18));
    EXPECT_FALSE(isWideSunGlow(flareElementCount));  // the streak keeps its sprite

    FakeDepth depth;
    FlareSprite s[flareSpriteCount];
    const int count = planLensFlares(viewAtNdc(0.3, 0.2), depth, s);
    GlowRing rings[sunGlowRings + 1];
    EXPECT_FALSE(planSunGlow(s, count, GlowProfile(), rings));  // without a profile, sprites
    EXPECT_FALSE(planSunGlow(s, 0, GlowProfile(), rings));

    Image picture;  // an even disc of full brightness
    const std::vector<uint8_t> pixels = radialPicture(
        64, [](double r) { return r < 1.0 ? 1.0 : 0.0; }, picture);
    GlowProfile flat;
    flat.readPicture(picture);
    ASSERT_TRUE(planSunGlow(s, count, flat, rings));
    EXPECT_EQ(rings[0].radius, 0.0);
    EXPECT_NEAR(rings[sunGlowRings].radius, 1.5 / std::sqrt(2.0), 1e-12);  // the widest glow's edge
    EXPECT_NEAR(rings[0].red, s[16].alpha * s[16].red + s[18].alpha * s[18].red, 1e-6);
    EXPECT_NEAR(rings[0].blue, s[16].alpha * s[16].blue + s[18].alpha * s[18].blue, 1e-6);
    for (int k = 1; k <= sunGlowRings; ++k) {
        EXPECT_GT(rings[k].radius, rings[k - 1].radius) << k;
        // Beyond the narrower glow's edge only the wider one shines.
        if (rings[k].radius > s[16].halfWidth / std::sqrt(2.0) && rings[k].radius < rings[sunGlowRings].radius * 0.98) {
            EXPECT_NEAR(rings[k].green, s[18].alpha * s[18].green, 1e-6) << k;
        }
    }
    EXPECT_EQ(rings[sunGlowRings].red, 0.0f);
}

}  // namespace
