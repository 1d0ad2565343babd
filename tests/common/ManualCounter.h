#pragma once
#include <cstdint>

#include "scene/SceneClock.h"

// A counter that stands still until the test sets the scene time it should give.
struct ManualCounter : CounterSource {
    static constexpr int64_t ticksPerSecond = 1000000;
    int64_t ticks = 0;
    bool frequency(int64_t& out) override
    {
        out = ticksPerSecond;
        return true;
    }
    bool read(int64_t& out) override
    {
        out = ticks;
        return true;
    }
};
