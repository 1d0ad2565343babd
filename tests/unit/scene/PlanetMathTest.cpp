#include "scene/PlanetMath.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(PlanetMath, TurnWrapsOnlyAboveOne)
{
    EXPECT_FLOAT_EQ(turnFraction(0.5), 0.5f);
    EXPECT_FLOAT_EQ(turnFraction(1.0), 1.0f);  // a full turn, not wrapped
    EXPECT_FLOAT_EQ(turnFraction(1.25), 0.25f);
    EXPECT_FLOAT_EQ(turnFraction(7000.0 / 300.0), static_cast<float>(7000.0 / 300.0) - 23.0f);
    EXPECT_FLOAT_EQ(turnFraction(0.0), 0.0f);
}

TEST(PlanetMath, HaloCoversTheOutlineOfAUnitSphere)
{
    // From distance D the outline's radius across the line of sight is D / sqrt(D^2 - 1).
    for (double D : {1.5, 3.0, 10.0, 154.0})
        EXPECT_NEAR(haloHalfSize(1.055, D * D), 1.055 * D / std::sqrt(D * D - 1.0), 1e-12) << D;
    EXPECT_GT(haloHalfSize(1.0, 1.21), haloHalfSize(1.0, 4.0));  // closer grows
    EXPECT_EQ(haloHalfSize(1.0, 1.0), 0.0);  // on the surface: nothing to cover
    EXPECT_EQ(haloHalfSize(1.0, 0.25), 0.0);  // inside
}

TEST(PlanetMath, ApparentRadiusOfTheUnitSphere)
{
    const double D = 2.0;
    const double q = 1.0 / std::sqrt(1.0 - 1.0 / 4.0);
    EXPECT_NEAR(apparentRadius(1.0, D), std::atan(q / D), 1e-15);
    EXPECT_EQ(apparentRadius(1.0, 1.0), 0.0);
    EXPECT_EQ(apparentRadius(1.0, 0.5), 0.0);
}

TEST(PlanetMath, RimGlowAlphas)
{
    const RimGlowAlphas centre = rimGlowAlphas(0.0);  // sun behind the centre
    EXPECT_DOUBLE_EQ(centre.wide, 0.5);
    EXPECT_DOUBLE_EQ(centre.thin, 0.12);

    const RimGlowAlphas limb = rimGlowAlphas(1.0);  // sun on the limb saturates
    EXPECT_DOUBLE_EQ(limb.wide, 0.15);
    EXPECT_DOUBLE_EQ(limb.thin, 1.0);

    const RimGlowAlphas outside = rimGlowAlphas(3.0);
    EXPECT_DOUBLE_EQ(outside.wide, 0.05);
    EXPECT_DOUBLE_EQ(outside.thin, 0.1);

    const RimGlowAlphas behind = rimGlowAlphas(0.5);
    EXPECT_DOUBLE_EQ(behind.wide, 0.3);
    EXPECT_DOUBLE_EQ(behind.thin, 0.24);
    // Stronger from outside than from behind the disc at the same distance from the limb.
    EXPECT_GT(rimGlowAlphas(1.5).thin, rimGlowAlphas(0.5).thin);
}

// A picture of `height` rows, lit only in the rows listed.
std::vector<unsigned char> rowsLit(int width, int height, std::initializer_list<int> lit)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3, 0);
    for (int row : lit)
        rgb[(static_cast<size_t>(row) * width + width / 2) * 3 + 2] = 1;  // one faint blue texel
    return rgb;
}

TEST(PlanetMath, QuietBandEndsARowAndAMarginShortOfTheNearestLitRow)
{
    // 180 rows of a degree: row 150 spans latitudes 60 to 61.
    auto north = rowsLit(8, 180, {150});
    EXPECT_NEAR(quietLatitudeOf(north.data(), 8, 180), 60.0 - 1.0 - 1.5, 1e-9);
    // The mirror image counts as much: row 40 spans -50 to -49.
    auto both = rowsLit(8, 180, {150, 40});
    EXPECT_NEAR(quietLatitudeOf(both.data(), 8, 180), 49.0 - 1.0 - 1.5, 1e-9);
    auto dark = rowsLit(8, 180, {});
    EXPECT_NEAR(quietLatitudeOf(dark.data(), 8, 180), 90.0 - 2.5, 1e-9);
}

TEST(PlanetMath, NoQuietBandWhereTheEquatorIsLitOrTheBandIsThin)
{
    auto equator = rowsLit(8, 180, {90});
    EXPECT_EQ(quietLatitudeOf(equator.data(), 8, 180), 0.0);
    auto nearEquator = rowsLit(8, 180, {92});  // 2 to 3 degrees north: less than the margins
    EXPECT_EQ(quietLatitudeOf(nearEquator.data(), 8, 180), 0.0);
    EXPECT_EQ(quietLatitudeOf(nullptr, 8, 180), 0.0);
    EXPECT_EQ(quietLatitudeOf(equator.data(), 0, 180), 0.0);
    auto odd = rowsLit(4, 9, {0, 8});  // nine rows of 20 degrees, the poles' rows lit
    EXPECT_NEAR(quietLatitudeOf(odd.data(), 4, 9), 70.0 - 20.0 - 1.5, 1e-9);
}

}  // namespace
