#pragma once
#include <cstdint>

// The platform calls of one frame step, injected so the step's decisions can be tested.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    // Milliseconds since system start; wraps every 49.7 days.
    virtual uint32_t tickCount() = 0;
    virtual void stopTimer() = 0;
    virtual void startTimer() = 0;
    // The modal slow-renderer message; returns when the user has dismissed it.
    virtual void warnSlowRenderer() = 0;
    virtual void drawFrame() = 0;
    virtual void swapBuffers() = 0;
    // Gives up the rest of the time slice.
    virtual void yield() = 0;
    // A key, button or pointer message waits in the window's queue.
    virtual bool inputWaiting() = 0;
};
