#include "GeneratedPack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "scene/Angles.h"
#include "scene/Annulus.h"

namespace {

using Picture = GeneratedPack::Picture;

Picture picture(const std::string& name)
{
    return GeneratedPack::instance().picture(name.c_str());
}

int brightness(const Picture& p, int x, int y)
{
    return p.at(x, y, 0) + p.at(x, y, 1) + p.at(x, y, 2);
}

TEST(ArtDirection, TheNightSideIsBlackExceptBlueRibbonsAroundBothPoles)
{
    Picture night = picture("zandor_night.jpg");
    ASSERT_EQ(night.height, 1024);
    int south = 0, north = 0;
    for (int y = 0; y < night.height; ++y) {
        double latitude = -90.0 + 180.0 * (y + 0.5) / night.height;
        for (int x = 0; x < night.width; x += 3) {
            if (std::fabs(latitude) < 45.0) {
                ASSERT_LE(brightness(night, x, y), 12) << "glow at latitude " << latitude;
            }
            if (brightness(night, x, y) > 120) {
                EXPECT_GT(night.at(x, y, 2), night.at(x, y, 0)) << "not blue at " << x << ", " << y;
                (latitude < 0 ? south : north)++;
            }
        }
    }
    EXPECT_GT(south, 2000);
    EXPECT_GT(north, 2000);
}

// Radius in planet radii of a ring picture's pixel: the square spans ±2.
double ringRadius(int x, int y)
{
    return std::hypot(2.0 - 4.0 * (x + 0.5) / 1024, 2.0 - 4.0 * (y + 0.5) / 1024);
}

TEST(ArtDirection, RingsLieBetweenAboutOnePointTwoAndTwoRadiiWithGaps)
{
    Picture rings = picture("rings.jpg"), mask = picture("rings_mask.jpg");
    ASSERT_EQ(rings.width, 1024);
    int darkestMask = 255;
    for (int y = 0; y < 1024; y += 2)
        for (int x = 0; x < 1024; x += 2) {
            double r = ringRadius(x, y);
            if (r < 1.15 || r > 2.02) {
                ASSERT_LE(brightness(rings, x, y), 12) << "ring light at radius " << r;
                ASSERT_GE(mask.at(x, y, 0), 248) << "mask not white at radius " << r;
            } else {
                darkestMask = std::min(darkestMask, mask.at(x, y, 0));
            }
        }
    EXPECT_LT(darkestMask, 140);
    // Along one radius: the brightness falls into gaps and rises again several times.
    int gaps = 0;
    bool inRing = false;
    for (int x = 512; x < 1024; ++x) {
        double r = ringRadius(x, 512);
        if (r < 1.2 || r > 1.98)
            continue;
        int b = brightness(rings, x, 512);
        if (inRing && b < 200)
            ++gaps;
        inRing = b > 350 || (inRing && b >= 200);
    }
    EXPECT_GE(gaps, 2);
}

TEST(ArtDirection, FlaresAndTheStarGlowAreGrey)
{
    for (int i = 1; i <= 10; ++i) {
        Picture flare = picture("Flare" + std::to_string(i) + ".jpg");
        ASSERT_GT(flare.width, 0) << i;
        for (int y = 0; y < flare.height; y += 3)
            for (int x = 0; x < flare.width; x += 3) {
                ASSERT_NEAR(flare.at(x, y, 0), flare.at(x, y, 1), 3) << "Flare" << i;
                ASSERT_NEAR(flare.at(x, y, 2), flare.at(x, y, 1), 3) << "Flare" << i;
            }
    }
    Picture star = picture("star128.jpg");
    EXPECT_GT(brightness(star, 64, 64), 600);
    EXPECT_LE(brightness(star, 0, 0), 6);
    EXPECT_LT(brightness(star, 100, 64), brightness(star, 80, 64));
}

TEST(ArtDirection, TheDarkHaloIsWhiteOutsideItsOutlineAndGreyerTowardTheLimb)
{
    Picture halo = picture("Flare10.jpg");
    const int centre = 256;
    const int limb = static_cast<int>(256 / 1.055);
    EXPECT_GE(halo.at(2, 2, 0), 250);
    EXPECT_GE(halo.at(centre, centre, 0), 245);
    EXPECT_LT(halo.at(centre + limb - 12, centre, 0), 180);
    int darkest = 255;
    for (int x = centre + limb - 4; x <= centre + limb + 4; ++x)
        darkest = std::min(darkest, halo.at(x, centre, 0));
    EXPECT_LT(darkest, 40);
    EXPECT_GE(halo.at(centre + limb + 10, centre, 0), 245);
}

// The dark halo is drawn over a disc only: beyond it, as far in as linear filtering
// reaches, its picture multiplies by white, give or take a level.
TEST(ArtDirection, TheDarkHaloIsWhiteBeyondTheDiscItIsDrawnOver)
{
    Picture halo = picture("Flare10.jpg");
    ASSERT_EQ(halo.width, 512);
    const double texel = 2.0 / halo.width;
    const double edge = darkHaloDisc.outer * std::cos(pi / darkHaloDisc.segments) - std::sqrt(2.0) * texel;
    int darkest = 255;
    for (int y = 0; y < halo.height; ++y)
        for (int x = 0; x < halo.width; ++x)
            if (std::hypot((x + 0.5) * texel - 1.0, (y + 0.5) * texel - 1.0) >= edge)
                darkest = std::min(darkest, halo.at(x, y, 0));
    EXPECT_GE(darkest, 254);
}

TEST(ArtDirection, TheFourMoonsLookDifferent)
{
    double red[4], green[4], blue[4];
    for (int i = 0; i < 4; ++i) {
        Picture moon = picture("moon" + std::to_string(i) + ".jpg");
        ASSERT_EQ(moon.width, 512);
        double sum[3] = {0, 0, 0};
        for (int y = 0; y < moon.height; ++y)
            for (int x = 0; x < moon.width; ++x)
                for (int c = 0; c < 3; ++c)
                    sum[c] += moon.at(x, y, c);
        red[i] = sum[0] / (512 * 256);
        green[i] = sum[1] / (512 * 256);
        blue[i] = sum[2] / (512 * 256);
    }
    EXPECT_NEAR(red[0], blue[0], 12);  // grey rock
    EXPECT_GT(red[1] + green[1] + blue[1], 600);  // bright ice
    EXPECT_GT(red[2], blue[2] + 80);  // sulphur yellow
    EXPECT_LT(red[3] + green[3] + blue[3], 300);  // dark rust
    EXPECT_GT(red[3], blue[3] + 30);
}

}  // namespace
