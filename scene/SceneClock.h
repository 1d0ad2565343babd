#pragma once
#include <cstdint>

// The platform's high-resolution counter, injected so the clock can be driven by tests.
struct CounterSource {
    virtual ~CounterSource() = default;
    virtual bool frequency(int64_t& ticksPerSecond) = 0;
    virtual bool read(int64_t& ticks) = 0;
};

// Scene time = start time + elapsed real seconds x rate.
class SceneClock {
public:
    explicit SceneClock(CounterSource& counter);

    void start(double t0, double rate);
    double now();
    double base() const { return base_; }

private:
    CounterSource& counter_;
    int64_t frequency_ = 0;
    int64_t origin_ = 0;
    double base_ = 0.0;
    double rate_ = 0.0;
};

// Scene seconds per real second for the settings' AnimationSpeed: 50 gives exactly 2.
double animationRate(int32_t animationSpeed);
