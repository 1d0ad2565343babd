#pragma once
#include <cstdint>

// The ten frames after the fifth are timed once; a renderer that averages over 300 ms
// a frame among them gets one warning. Both hosts count their frames through it.
class SlowFrameCheck {
public:
    // allowanceMs: what the ten frames may take beyond three seconds, the waits the
    // user asked for between frames.
    explicit SlowFrameCheck(uint32_t allowanceMs = 0) : allowanceMs_(allowanceMs) {}

    // Whether the frame about to start needs the tick count: the sixth and the sixteenth.
    bool needsTick() const;
    // Counts the frame about to start, given the tick count (milliseconds, wrapping)
    // where needsTick() asked for it; true once, as the sixteenth frame starts, when
    // the ten frames before it were too slow.
    bool frameStarts(uint32_t tick);
    int frameCount() const { return frameCount_; }

private:
    uint32_t allowanceMs_;
    int frameCount_ = 0;
    uint32_t tickAtFrame5_ = 0;
};
