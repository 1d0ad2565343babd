#include "render/CloseRules.h"

#include <gtest/gtest.h>

namespace {

const CloseRules normal(false, false);
const CloseRules demo(true, false);
const CloseRules behindDialog(false, true);

TEST(MouseMoveRule, TheFirstMoveOnlySetsTheReference)
{
    MouseReference reference;
    EXPECT_FALSE(normal.mouseMoveCloses(reference, 500, 400));
    EXPECT_TRUE(reference.initialised);
    EXPECT_EQ(reference.x, 500);
    EXPECT_EQ(reference.y, 400);
}

TEST(MouseMoveRule, TenPixelsOnBothAxesDoNotCloseElevenOnEitherDo)
{
    MouseReference reference;
    normal.mouseMoveCloses(reference, 100, 100);
    EXPECT_FALSE(normal.mouseMoveCloses(reference, 110, 110));
    EXPECT_FALSE(normal.mouseMoveCloses(reference, 90, 90));
    EXPECT_TRUE(normal.mouseMoveCloses(reference, 111, 100));
    EXPECT_TRUE(normal.mouseMoveCloses(reference, 100, 89));
    EXPECT_TRUE(normal.mouseMoveCloses(reference, 89, 111));
    // The reference stays where the first move put it.
    EXPECT_EQ(reference.x, 100);
    EXPECT_EQ(reference.y, 100);
}

TEST(MouseMoveRule, AFirstMoveAtTheOriginCountsAsAReference)
{
    MouseReference reference;
    EXPECT_FALSE(normal.mouseMoveCloses(reference, 0, 0));
    EXPECT_TRUE(normal.mouseMoveCloses(reference, 0, 11));
}

TEST(MouseMoveRule, DemoModeIgnoresMovesAndKeepsNoReference)
{
    MouseReference reference;
    EXPECT_FALSE(demo.mouseMoveCloses(reference, 0, 0));
    EXPECT_FALSE(demo.mouseMoveCloses(reference, 1000, 700));
    EXPECT_FALSE(reference.initialised);
}

TEST(MouseMoveRule, MovesBehindAModalMessageMoveTheReference)
{
    MouseReference reference;
    normal.mouseMoveCloses(reference, 100, 100);
    EXPECT_FALSE(behindDialog.mouseMoveCloses(reference, 500, 500));
    EXPECT_FALSE(normal.mouseMoveCloses(reference, 510, 490));
    EXPECT_TRUE(normal.mouseMoveCloses(reference, 100, 100));
}

TEST(QuietRules, CursorFocusAndCancelModeFollowDemoModeAndDialogs)
{
    EXPECT_TRUE(normal.hidesCursor());
    EXPECT_FALSE(demo.hidesCursor());
    EXPECT_FALSE(behindDialog.hidesCursor());

    EXPECT_TRUE(normal.deactivationCloses(false));
    EXPECT_FALSE(normal.deactivationCloses(true));
    EXPECT_FALSE(demo.deactivationCloses(false));
    EXPECT_FALSE(behindDialog.deactivationCloses(false));

    EXPECT_TRUE(normal.cancelModeCloses());
    EXPECT_FALSE(demo.cancelModeCloses());
    EXPECT_FALSE(behindDialog.cancelModeCloses());
}

}  // namespace
