#include "scene/Annulus.h"

#include <algorithm>
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

TEST(Annulus, TheSquareCutsTheOuterEdgeAlone)
{
    const Annulus band{1.0, 3.0, 16, 2.5};
    for (int k = 0; k < annulusVertexCount(band); ++k) {
        const AnnulusPoint p = annulusVertex(band, k);
        const double r = std::hypot(p.x, p.y);
        if (k % 2 == 1) {
            EXPECT_NEAR(r, 1.0, 1e-12) << k;
            continue;
        }
        // On the square where the circle leaves it, on the circle where it is inside.
        EXPECT_NEAR(std::min(3.0, 2.5 * r / std::max(std::fabs(p.x), std::fabs(p.y))), r, 1e-12) << k;
        EXPECT_LE(std::max(std::fabs(p.x), std::fabs(p.y)), 2.5 + 1e-12) << k;
    }
    EXPECT_NEAR(annulusVertex(band, 0).x, 2.5, 1e-12);  // along +x the square comes first
    EXPECT_NEAR(std::hypot(annulusVertex(band, 4).x, annulusVertex(band, 4).y), 3.0, 1e-12);  // the diagonal
}

// The ring picture holds rings from 1.216 to 1.974 planet radii (its zones with their
// soft edges); outside that its mask is white and its rings black. A few texels of the
// full-size picture (4 radii over 1024 texels) to spare, for the smaller mipmap levels.
TEST(Annulus, TheRingBandCoversEveryRingAndStaysOnThePicture)
{
    constexpr double kRingsInner = 1.216, kRingsOuter = 1.974, kMargin = 0.02;
    // The inner edge never goes beyond its vertices; the outer edge comes closest to the
    // centre somewhere along each of its sides.
    EXPECT_LE(ringBand.inner, kRingsInner - kMargin);
    for (int k = 0; k + 2 < annulusVertexCount(ringBand); k += 2) {
        const AnnulusPoint a = annulusVertex(ringBand, k), b = annulusVertex(ringBand, k + 2);
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double along = std::clamp(-(a.x * dx + a.y * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        EXPECT_GE(std::hypot(a.x + along * dx, a.y + along * dy), kRingsOuter + kMargin) << k;
    }
    for (int k = 0; k < annulusVertexCount(ringBand); ++k) {
        const AnnulusPoint p = annulusVertex(ringBand, k);
        EXPECT_LE(std::fabs(p.x), 2.0 + 1e-12) << k;
        EXPECT_LE(std::fabs(p.y), 2.0 + 1e-12) << k;
    }
}

}  // namespace
