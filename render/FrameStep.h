#pragma once
#include <cstdint>

#include "render/FrameHost.h"

// One timer message of the full-screen run draws one frame, unless input waits. The
// ten frames after the fifth are timed once; a renderer averaging over 300 ms a
// frame gets one warning.
class FrameStep {
public:
    // inDialog is shared with the window's closing rules: while set, steps do nothing.
    FrameStep(FrameHost& host, int& inDialog);

    // Returns false when no frame was drawn: a modal message is up, or input waits
    // and is handled first, so that a key or a click never waits behind a new frame.
    bool run();
    int frameCount() const { return frameCount_; }

private:
    void warnIfSlow();

    FrameHost& host_;
    int& inDialog_;
    int frameCount_ = 0;
    uint32_t tickAtFrame5_ = 0;
};
