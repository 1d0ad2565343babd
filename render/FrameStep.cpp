#include "render/FrameStep.h"

FrameStep::FrameStep(FrameHost& host, int& inDialog) : host_(host), inDialog_(inDialog) {}

bool FrameStep::run()
{
    if (inDialog_ || host_.inputWaiting())
        return false;
    if (check_.frameStarts(check_.needsTick() ? host_.tickCount() : 0))
        warnSlowRenderer();
    host_.drawFrame();
    host_.swapBuffers();
    host_.yield();
    return true;
}

void FrameStep::warnSlowRenderer()
{
    inDialog_ = 1;
    host_.stopTimer();
    host_.warnSlowRenderer();
    host_.startTimer();
    inDialog_ = 0;
}
