#include "scene/SlowFrameCheck.h"

#include <gtest/gtest.h>

namespace {

// Starts frames until the sixteenth, the ten timed ones taking elapsed milliseconds;
// true when the check found them slow.
bool timeTenFrames(SlowFrameCheck& check, uint32_t elapsed)
{
    bool slow = false;
    for (uint32_t frame = 0; frame < 16; ++frame)
        slow |= check.frameStarts(frame < 6 ? 1000 : 1000 + elapsed);
    return slow;
}

TEST(SlowFrameCheck, AsksForTheTickOnlyAsTheSixthAndTheSixteenthFramesStart)
{
    SlowFrameCheck check;
    for (int frame = 0; frame < 20; ++frame) {
        EXPECT_EQ(check.needsTick(), frame == 5 || frame == 15) << frame;
        check.frameStarts(0);
    }
    EXPECT_EQ(check.frameCount(), 20);
}

TEST(SlowFrameCheck, TheDelaysAskedForBetweenFramesAreNotTheRenderersSlowness)
{
    SlowFrameCheck exact(500), over(500), plain;
    EXPECT_FALSE(timeTenFrames(exact, 3500));
    EXPECT_TRUE(timeTenFrames(over, 3501));
    EXPECT_TRUE(timeTenFrames(plain, 3001));
}

}  // namespace
