#include "scene/Annulus.h"

#include <cmath>

#include <gtest/gtest.h>

#include "scene/Angles.h"

namespace {

TEST(Annulus, VerticesAlternateBetweenTheEdgesAndCloseTheStrip)
{
    const Annulus band{0.5, 3.0, 7};
    ASSERT_EQ(annulusVertexCount(band), 16);
    for (int k = 0; k < annulusVertexCount(band); ++k) {
        const AnnulusPoint p = annulusVertex(band, k);
        EXPECT_NEAR(std::hypot(p.x, p.y), k % 2 == 0 ? 3.0 : 0.5, 1e-12) << k;
        // Both vertices of a pair share their direction, a seventh of a turn on from the last pair.
        const double expected = std::remainder((k / 2) * 2.0 * pi / 7.0, 2.0 * pi);
        EXPECT_NEAR(std::remainder(std::atan2(p.y, p.x) - expected, 2.0 * pi), 0.0, 1e-12) << k;
    }
    for (int k : {0, 1}) {
        const AnnulusPoint first = annulusVertex(band, k), last = annulusVertex(band, annulusVertexCount(band) - 2 + k);
        EXPECT_NEAR(first.x, last.x, 1e-12);
        EXPECT_NEAR(first.y, last.y, 1e-12);
    }
    const AnnulusPoint a = annulusVertex(band, 0), b = annulusVertex(band, 2);
    EXPECT_GT(a.x * b.y - a.y * b.x, 0.0) << "counterclockwise";
}

// The ring picture holds rings from 1.216 to 1.974 planet radii (its zones with their
// soft edges); outside that its mask is white and its rings black. A few texels of the
// full-size picture (4 radii over 1024 texels) to spare, for the smaller mipmap levels.
TEST(Annulus, TheRingBandCoversEveryRingAndStaysOnThePicture)
{
    constexpr double kRingsInner = 1.216, kRingsOuter = 1.974, kMargin = 0.02;
    // Between two outer vertices the edge comes closest to the centre at its middle;
    // the inner edge never goes beyond its vertices.
    EXPECT_GE(ringBand.outer * std::cos(pi / ringBand.segments), kRingsOuter + kMargin);
    EXPECT_LE(ringBand.inner, kRingsInner - kMargin);
    for (int k = 0; k < annulusVertexCount(ringBand); ++k) {
        const AnnulusPoint p = annulusVertex(ringBand, k);
        EXPECT_LE(std::fabs(p.x), 2.0 + 1e-12) << k;
        EXPECT_LE(std::fabs(p.y), 2.0 + 1e-12) << k;
    }
}

}  // namespace
