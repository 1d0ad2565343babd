#pragma once
#include "scene/SceneClock.h"

// The scene clock's counter on Linux: the monotonic clock in nanoseconds.
class MonotonicCounter : public CounterSource {
public:
    bool frequency(int64_t& ticksPerSecond) override;
    bool read(int64_t& ticks) override;
    // Seconds, for frame timing.
    static double seconds();
};
