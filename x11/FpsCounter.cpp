#include "x11/FpsCounter.h"

#include <cstdio>

bool FpsCounter::frame(double now)
{
    if (!started_) {
        started_ = true;
        windowStart_ = now;
        return false;
    }
    ++frames_;
    const double elapsed = now - windowStart_;
    if (elapsed < 1.0)
        return false;
    rate_ = frames_ / elapsed;
    windowStart_ = now;
    frames_ = 0;
    return true;
}

void FpsCounter::format(char* text, size_t size) const
{
    std::snprintf(text, size, "FPS: %.1f", rate_);
}
