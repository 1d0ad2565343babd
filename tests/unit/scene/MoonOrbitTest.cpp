#include "scene/MoonOrbit.h"

#include <cmath>

#include <gtest/gtest.h>

#include "scene/Angles.h"

namespace {

TEST(MoonOrbit, RecordsAreEnlargedAndDrawnIn)
{
    EXPECT_NEAR(moonRecords[0].radius, 0.0381, 1e-12);
    EXPECT_NEAR(moonRecords[0].orbitRadius, 3.9333, 1e-4);
    EXPECT_NEAR(moonRecords[1].radius, 0.03285, 1e-12);
    EXPECT_NEAR(moonRecords[2].orbitRadius, 9.98, 1e-12);
    EXPECT_NEAR(moonRecords[3].orbitRadius, 17.56, 1e-12);
    EXPECT_DOUBLE_EQ(moonRecords[3].period, 40.36);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(moonRecords[i].texture, i);
}

TEST(MoonOrbit, StartTwoRadiansApartAndOrbitIn180PeriodSeconds)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(moonAngle(0.0, moonRecords[i], i), 2.0 * i);
    const MoonRecord& moon = moonRecords[2];
    const double orbit = 180.0 * moon.period;
    EXPECT_NEAR(moonAngle(orbit, moon, 2) - moonAngle(0.0, moon, 2), 2.0 * pi, 1e-6);
    // The single-precision degree, not the double one.
    EXPECT_DOUBLE_EQ(moonAngle(1.0, moon, 0), 0.01745329237161969 / (0.5 * moon.period));
}

TEST(MoonOrbit, GlowAlphaGrowsWithDepthUpToHalf)
{
    EXPECT_NEAR(moonGlowAlpha(12.5), 0.0, 1e-15);
    EXPECT_EQ(moonGlowAlpha(5.0), 0.0);
    EXPECT_NEAR(moonGlowAlpha(20.0), 0.06, 1e-15);
    EXPECT_DOUBLE_EQ(moonGlowAlpha(75.0), 0.5);
    EXPECT_DOUBLE_EQ(moonGlowAlpha(300.0), 0.5);
}

TEST(MoonOrbit, ScreenSpriteSitsHalfAPixelLeftAndAbove)
{
    // At d = 20 a glow of 3 / d viewport widths on a 1024 wide viewport: 76.8 px half size.
    const double h = 3.0 / 20.0 * 1024 / 2;
    const ScreenSpriteCorners c = screenSpriteCorners(500.0, 300.0, h, h);
    EXPECT_DOUBLE_EQ(c.a.x, 500.0 - h - 0.5);
    EXPECT_DOUBLE_EQ(c.a.y, 300.0 - h + 0.5);
    EXPECT_DOUBLE_EQ(c.b.y, 300.0 + h + 0.5);
    EXPECT_DOUBLE_EQ(c.c.x, 500.0 + h - 0.5);
    EXPECT_DOUBLE_EQ(c.d.y, c.a.y);
    EXPECT_DOUBLE_EQ(c.c.x - c.a.x, 0.15 * 1024);
    EXPECT_DOUBLE_EQ((c.a.x + c.c.x) / 2, 499.5);
    EXPECT_DOUBLE_EQ((c.a.y + c.b.y) / 2, 300.5);
}

}  // namespace
