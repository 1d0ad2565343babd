#include "x11/MonotonicCounter.h"

#include <ctime>

namespace {
constexpr int64_t kNanosecondsPerSecond = 1000000000;
}

bool MonotonicCounter::frequency(int64_t& ticksPerSecond)
{
    ticksPerSecond = kNanosecondsPerSecond;
    return true;
}

bool MonotonicCounter::read(int64_t& ticks)
{
    timespec now;
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0)
        return false;
    ticks = static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
    return true;
}

double MonotonicCounter::seconds()
{
    int64_t ticks = 0;
    MonotonicCounter().read(ticks);
    return static_cast<double>(ticks) / kNanosecondsPerSecond;
}
