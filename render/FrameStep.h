#pragma once
#include "render/FrameHost.h"
#include "scene/SlowFrameCheck.h"

// One timer message of the full-screen run draws one frame, unless input waits. A
// renderer found slow gets one modal warning, with the frame timer stopped meanwhile.
class FrameStep {
public:
    // inDialog is shared with the window's closing rules: while set, steps do nothing.
    FrameStep(FrameHost& host, int& inDialog);

    // Returns false when no frame was drawn: a modal message is up, or input waits
    // and is handled first, so that a key or a click never waits behind a new frame.
    bool run();
    int frameCount() const { return check_.frameCount(); }

private:
    void warnSlowRenderer();

    FrameHost& host_;
    int& inDialog_;
    SlowFrameCheck check_;
};
