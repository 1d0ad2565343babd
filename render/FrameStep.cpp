#include "render/FrameStep.h"

namespace {
const int kTimingStartFrame = 5;
const int kTimingEndFrame = 15;
// Ten frames in more than three seconds: slower than 300 ms a frame.
const uint32_t kSlowTenFramesMs = 3000;
}

FrameStep::FrameStep(FrameHost& host, int& inDialog) : host_(host), inDialog_(inDialog) {}

bool FrameStep::run()
{
    if (inDialog_ || host_.inputWaiting())
        return false;
    if (frameCount_ == kTimingStartFrame)
        tickAtFrame5_ = host_.tickCount();
    if (frameCount_ == kTimingEndFrame)
        warnIfSlow();
    ++frameCount_;
    host_.drawFrame();
    host_.swapBuffers();
    host_.yield();
    return true;
}

void FrameStep::warnIfSlow()
{
    // Unsigned subtraction stays right when the tick counter wraps in between.
    uint32_t elapsed = host_.tickCount() - tickAtFrame5_;
    if (elapsed <= kSlowTenFramesMs)
        return;
    inDialog_ = 1;
    host_.stopTimer();
    host_.warnSlowRenderer();
    host_.startTimer();
    inDialog_ = 0;
}
