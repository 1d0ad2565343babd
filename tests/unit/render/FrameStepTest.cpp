#include "render/FrameStep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the platform calls of each step; the tick counter is set by the test.
class RecordingHost : public FrameHost {
public:
    uint32_t now = 0;
    bool input = false;
    std::vector<std::string> calls;
    int* inDialogSeenByWarning = nullptr;
    int inDialogDuringWarning = -1;

    uint32_t tickCount() override { return now; }
    void stopTimer() override { calls.push_back("stop"); }
    void startTimer() override { calls.push_back("start"); }
    void warnSlowRenderer() override
    {
        calls.push_back("warn");
        inDialogDuringWarning = *inDialogSeenByWarning;
    }
    void drawFrame() override { calls.push_back("draw"); }
    void swapBuffers() override { calls.push_back("swap"); }
    void yield() override { calls.push_back("yield"); }
    bool inputWaiting() override { return input; }

    int count(const std::string& name) const
    {
        int n = 0;
        for (const std::string& call : calls)
            n += call == name;
        return n;
    }
};

class FrameStepTest : public ::testing::Test {
protected:
    FrameStepTest() { host.inDialogSeenByWarning = &inDialog; }

    // Runs steps until frameCount reaches the given value, ticking at 'stepMs' a step.
    void runUntil(int frames, uint32_t stepMs)
    {
        while (step.frameCount() < frames) {
            step.run();
            host.now += stepMs;
        }
    }

    // Frames 6 to 15 took 'elapsed' milliseconds; then the sixteenth step runs.
    void timeTenFrames(uint32_t startTick, uint32_t elapsed)
    {
        host.now = startTick;
        runUntil(5, 0);
        step.run();  // takes the tick at frame 5
        runUntil(15, 0);
        host.calls.clear();
        host.now = startTick + elapsed;
        step.run();
    }

    RecordingHost host;
    int inDialog = 0;
    FrameStep step{host, inDialog};
};

TEST_F(FrameStepTest, EachStepDrawsSwapsAndYieldsInOrder)
{
    EXPECT_TRUE(step.run());
    EXPECT_EQ(step.frameCount(), 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"draw", "swap", "yield"}));
}

TEST_F(FrameStepTest, StepsBehindAModalMessageDoNothing)
{
    inDialog = 1;
    EXPECT_FALSE(step.run());
    EXPECT_EQ(step.frameCount(), 0);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(FrameStepTest, WaitingInputGoesFirstAndTheNextStepDraws)
{
    host.input = true;
    EXPECT_FALSE(step.run());
    EXPECT_EQ(step.frameCount(), 0);
    EXPECT_TRUE(host.calls.empty());
    host.input = false;
    EXPECT_TRUE(step.run());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"draw", "swap", "yield"}));
}

TEST_F(FrameStepTest, InputAtTheSixteenthStepPostponesTheSlownessCheckWithoutLosingIt)
{
    host.now = 0;
    runUntil(5, 0);
    step.run();  // takes the tick at frame 5
    runUntil(15, 0);
    host.calls.clear();
    host.now = 3001;
    host.input = true;
    EXPECT_FALSE(step.run());
    EXPECT_TRUE(host.calls.empty());
    host.input = false;
    EXPECT_TRUE(step.run());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"stop", "warn", "start", "draw", "swap", "yield"}));
}

TEST_F(FrameStepTest, ExactlyThreeSecondsForTenFramesRaisesNoWarning)
{
    timeTenFrames(1000, 3000);
    EXPECT_EQ(host.count("warn"), 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"draw", "swap", "yield"}));
}

TEST_F(FrameStepTest, OneMillisecondMoreWarnsBeforeTheSixteenthFrameInTheSameStep)
{
    timeTenFrames(1000, 3001);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"stop", "warn", "start", "draw", "swap", "yield"}));
    EXPECT_EQ(host.inDialogDuringWarning, 1);
    EXPECT_EQ(inDialog, 0);
    EXPECT_EQ(step.frameCount(), 16);
}

TEST_F(FrameStepTest, TheWarningComesAtMostOnce)
{
    timeTenFrames(0, 10000);
    host.calls.clear();
    runUntil(100, 10000);
    EXPECT_EQ(host.count("warn"), 0);
    EXPECT_EQ(host.count("draw"), 100 - 16);
}

TEST_F(FrameStepTest, AWrappedTickCounterStillMeasuresFastFrames)
{
    timeTenFrames(0xFFFFFF00u, 2000);  // the counter reads 0x6D0 at the check
    EXPECT_EQ(host.count("warn"), 0);
}

TEST_F(FrameStepTest, AWrappedTickCounterStillMeasuresSlowFrames)
{
    timeTenFrames(0xFFFFFF00u, 3001);
    EXPECT_EQ(host.count("warn"), 1);
}

TEST_F(FrameStepTest, TheTickIsTakenAtFrameFiveNotBefore)
{
    // Slow early frames do not count: only frames 6 to 15 are timed.
    host.now = 0;
    runUntil(5, 100000);
    uint32_t atFive = host.now;
    step.run();
    runUntil(15, 0);
    host.calls.clear();
    host.now = atFive + 3000;
    step.run();
    EXPECT_EQ(host.count("warn"), 0);
}

}  // namespace
