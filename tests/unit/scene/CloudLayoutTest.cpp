#include "scene/CloudLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr double kInnerWidth = 0.05615;

TEST(CloudLayout, CompositionTimeAndOvalTravel)
{
    EXPECT_DOUBLE_EQ(compositionTime(120.0), 1.0);
    EXPECT_DOUBLE_EQ(ovalPosition(0.0, 0.9, 0.4415), 0.4415);
    EXPECT_NEAR(ovalPosition(1.0, 0.9, 0.4415), 0.3415, 1e-12);  // 1.3415 wraps
    EXPECT_NEAR(ovalPosition(300.0, 0.9, 0.4415), 0.4415, 1e-9);  // many widths later
}

TEST(CloudLayout, OvalNearTheLeftEdgeIsDrawnAgainBeyondTheRight)
{
    double at[3];
    ASSERT_EQ(ovalCopies(0.03, kInnerWidth, at), 2);
    EXPECT_DOUBLE_EQ(at[0], 0.03);
    EXPECT_DOUBLE_EQ(at[1], 1.03);
    ASSERT_EQ(ovalCopies(kInnerWidth, kInnerWidth, at), 2);  // the threshold itself copies
}

TEST(CloudLayout, ExactlyOneIsNotWrappedButCopiedToZero)
{
    EXPECT_DOUBLE_EQ(ovalPosition(0.0, 1.0, 1.0), 1.0);  // only values above 1 wrap
    double at[3];
    ASSERT_EQ(ovalCopies(1.0, kInnerWidth, at), 2);
    EXPECT_DOUBLE_EQ(at[0], 1.0);
    EXPECT_DOUBLE_EQ(at[1], 0.0);
}

TEST(CloudLayout, JustBelowOneAndTheMiddle)
{
    double at[3];
    ASSERT_EQ(ovalCopies(0.999, kInnerWidth, at), 2);
    EXPECT_NEAR(at[1], -0.001, 1e-12);
    ASSERT_EQ(ovalCopies(1.0 - kInnerWidth, kInnerWidth, at), 2);
    EXPECT_EQ(ovalCopies(0.5, kInnerWidth, at), 1);
    EXPECT_EQ(ovalCopies(kInnerWidth + 1e-9, kInnerWidth, at), 1);
}

TEST(CloudLayout, BandEdgesRunFromTheTopOfTheSurface)
{
    const BandEdges base = bandEdges(0.0, 1.0);
    EXPECT_DOUBLE_EQ(base.top, 1.0);
    EXPECT_DOUBLE_EQ(base.bottom, -1.0);
    const BandEdges band = bandEdges(0.3525, 0.25);
    EXPECT_DOUBLE_EQ(band.top, 1.0 - 0.705);
    EXPECT_DOUBLE_EQ(band.bottom, 1.0 - 1.205);
}

}  // namespace
