#include "x11/LoopRules.h"

namespace {
constexpr unsigned long kKeyQ = 0x0071;
constexpr unsigned long kKeyCapitalQ = 0x0051;
constexpr unsigned long kKeyEscape = 0xff1b;
constexpr int kDepthBitsNeeded = 16;
// The X protocol's error codes.
constexpr int kBadWindow = 3;
constexpr int kBadDrawable = 9;
}

bool drawsDirectly(const VisualTraits& visual)
{
    return visual.gl && visual.rgba && visual.doubleBuffer && visual.depthBits >= kDepthBitsNeeded;
}

bool errorEndsFrames(int errorCode)
{
    return errorCode == kBadWindow || errorCode == kBadDrawable;
}

bool keyEnds(unsigned long keysym)
{
    return keysym == kKeyQ || keysym == kKeyCapitalQ || keysym == kKeyEscape;
}

timespec delayTimeout(long microseconds)
{
    if (microseconds < 0)
        microseconds = 0;
    timespec timeout;
    timeout.tv_sec = microseconds / 1000000;
    timeout.tv_nsec = (microseconds % 1000000) * 1000;
    return timeout;
}
