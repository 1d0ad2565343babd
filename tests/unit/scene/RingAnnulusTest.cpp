#include "scene/RingAnnulus.h"

#include <cmath>

#include <gtest/gtest.h>

#include "scene/Angles.h"

namespace {

// The ring picture holds rings from 1.216 to 1.974 planet radii (its zones with their
// soft edges); outside that its mask is white and its rings black.
constexpr double kRingsInner = 1.216, kRingsOuter = 1.974;
// A few texels of the full-size picture (4 radii over 1024 texels), for the smaller
// mipmap levels' spread.
constexpr double kMargin = 0.02;

TEST(RingAnnulus, TheBandCoversEveryRingAndStaysOnThePicture)
{
    // Between two neighbouring outer vertices the edge comes closest to the centre at
    // its middle; the inner edge never goes beyond its vertices.
    const double apothem = ringAnnulusOuter * std::cos(pi / ringAnnulusSegments);
    EXPECT_GE(apothem, kRingsOuter + kMargin);
    EXPECT_LE(ringAnnulusInner, kRingsInner - kMargin);
    for (int k = 0; k < ringAnnulusVertexCount; ++k) {
        const RingVertex v = ringAnnulusVertex(k);
        EXPECT_NEAR(std::hypot(v.x, v.y), k % 2 == 0 ? ringAnnulusOuter : ringAnnulusInner, 1e-12) << k;
        EXPECT_LE(std::fabs(v.x), 2.0 + 1e-12) << k;
        EXPECT_LE(std::fabs(v.y), 2.0 + 1e-12) << k;
    }
}

TEST(RingAnnulus, TextureCoordinatesAreThoseOfTheSquare)
{
    // The square put (0, 0) at (2, 2) and (1, 1) at (-2, -2).
    for (int k = 0; k < ringAnnulusVertexCount; ++k) {
        const RingVertex v = ringAnnulusVertex(k);
        EXPECT_NEAR(v.s, (2.0 - v.x) / 4.0, 1e-12) << k;
        EXPECT_NEAR(v.t, (2.0 - v.y) / 4.0, 1e-12) << k;
        EXPECT_GE(v.s, 0.0);
        EXPECT_LE(v.s, 1.0);
    }
    const RingVertex east = ringAnnulusVertex(0);
    EXPECT_NEAR(east.s, 0.0, 1e-12);
    EXPECT_NEAR(east.t, 0.5, 1e-12);
}

TEST(RingAnnulus, TheStripClosesOnItself)
{
    for (int k : {0, 1}) {
        const RingVertex first = ringAnnulusVertex(k);
        const RingVertex last = ringAnnulusVertex(ringAnnulusVertexCount - 2 + k);
        EXPECT_NEAR(first.x, last.x, 1e-12);
        EXPECT_NEAR(first.y, last.y, 1e-12);
    }
    // Each step of two goes one segment on round, the same way on both edges.
    const RingVertex a = ringAnnulusVertex(0), b = ringAnnulusVertex(2), c = ringAnnulusVertex(3);
    EXPECT_GT(a.x * b.y - a.y * b.x, 0.0);
    EXPECT_NEAR(std::atan2(b.y, b.x), std::atan2(c.y, c.x), 1e-12);
}

}  // namespace
