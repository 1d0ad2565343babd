#pragma once
#include "scene/SceneClock.h"

// The system's high-resolution performance counter.
class PerformanceCounter : public CounterSource {
public:
    bool frequency(int64_t& ticksPerSecond) override;
    bool read(int64_t& ticks) override;
};
