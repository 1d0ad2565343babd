#include "scene/SlowFrameCheck.h"

namespace {
constexpr int kTimingStartFrame = 5;
constexpr int kTimingEndFrame = 15;
// Ten frames in more than three seconds: slower than 300 ms a frame.
constexpr uint32_t kSlowTenFramesMs = 3000;
}

bool SlowFrameCheck::needsTick() const
{
    return frameCount_ == kTimingStartFrame || frameCount_ == kTimingEndFrame;
}

bool SlowFrameCheck::frameStarts(uint32_t tick)
{
    const int frame = frameCount_++;
    if (frame == kTimingStartFrame)
        tickAtFrame5_ = tick;
    // Unsigned subtraction stays right when the tick counter wraps in between.
    return frame == kTimingEndFrame && tick - tickAtFrame5_ > kSlowTenFramesMs + allowanceMs_;
}
