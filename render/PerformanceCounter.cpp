#include "render/PerformanceCounter.h"

#include <windows.h>

bool PerformanceCounter::frequency(int64_t& ticksPerSecond)
{
    LARGE_INTEGER value;
    if (!QueryPerformanceFrequency(&value))
        return false;
    ticksPerSecond = value.QuadPart;
    return true;
}

bool PerformanceCounter::read(int64_t& ticks)
{
    LARGE_INTEGER value;
    if (!QueryPerformanceCounter(&value))
        return false;
    ticks = value.QuadPart;
    return true;
}
