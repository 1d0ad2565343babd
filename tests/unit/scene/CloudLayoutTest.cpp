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

TEST(CloudLayout, APieceOfABandCarriesTheCoordinatesTheWholeBandHasThere)
{
    const LayerPlacement band = {0.25, 0.5, -0.5};  // rows 0.5 .. -0.5, s from 0.25 at the right
    const CompositionPiece whole = {-1.0, 1.0, 0.5, -0.5};
    const PlacedCorner topRight = placedCorner(whole, band, 0), bottomLeft = placedCorner(whole, band, 2);
    EXPECT_DOUBLE_EQ(topRight.s, 0.25);
    EXPECT_DOUBLE_EQ(topRight.t, 0.0);
    EXPECT_DOUBLE_EQ(bottomLeft.s, 1.25);  // one picture width across, wrapping
    EXPECT_DOUBLE_EQ(bottomLeft.t, 1.0);
    // A piece's corners go counterclockwise from the top right and meet the band's
    // coordinates where they lie: a quarter of the way in from the right, the middle row.
    const CompositionPiece piece = {0.0, 0.5, 0.5, 0.0};
    const double xs[] = {0.5, 0.0, 0.0, 0.5}, ys[] = {0.5, 0.5, 0.0, 0.0};
    for (int k = 0; k < 4; ++k) {
        const PlacedCorner c = placedCorner(piece, band, k);
        EXPECT_EQ(c.x, xs[k]);
        EXPECT_EQ(c.y, ys[k]);
    }
    EXPECT_DOUBLE_EQ(placedCorner(piece, band, 3).s, 0.5);
    EXPECT_DOUBLE_EQ(placedCorner(piece, band, 3).t, 0.5);
}

TEST(CloudLayout, RowsCutTheBoxesTheyCrossAndLeaveThoseTheyOnlyTouch)
{
    // Texels 0..63 x 32..63 and 64..127 x 0..15 of a 128 x 64 target.
    const std::vector<CompositionPiece> boxes = {texelBoxPiece({0, 32, 64, 32}, 128, 64),
                                                 texelBoxPiece({64, 0, 64, 16}, 128, 64)};
    EXPECT_DOUBLE_EQ(boxes[0].left, -1.0);
    EXPECT_DOUBLE_EQ(boxes[0].right, 0.0);
    EXPECT_DOUBLE_EQ(boxes[0].top, 1.0);
    EXPECT_DOUBLE_EQ(boxes[0].bottom, 0.0);
    std::vector<CompositionPiece> pieces = {{9.0, 9.0, 9.0, 9.0}};
    piecesInRows(boxes, 0.5, -0.75, pieces);  // replaces what was there
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_DOUBLE_EQ(pieces[0].top, 0.5);
    EXPECT_DOUBLE_EQ(pieces[0].bottom, 0.0);
    EXPECT_DOUBLE_EQ(pieces[1].top, -0.5);  // the box's own top
    EXPECT_DOUBLE_EQ(pieces[1].bottom, -0.75);
    piecesInRows(boxes, 0.0, -0.5, pieces);  // edges only touch both boxes
    EXPECT_TRUE(pieces.empty());
}

}  // namespace
