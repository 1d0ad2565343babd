#include "scene/SceneClock.h"

#include <cmath>

SceneClock::SceneClock(CounterSource& counter) : counter_(counter)
{
    if (!counter_.frequency(frequency_))
        frequency_ = 0;
}

void SceneClock::start(double t0, double rate)
{
    base_ = t0;
    rate_ = rate;
    if (!counter_.read(origin_))
        origin_ = 0;
}

double SceneClock::now()
{
    int64_t ticks = 0;
    if (frequency_ != 0 && counter_.read(ticks))
        return static_cast<double>(ticks - origin_) * rate_ / static_cast<double>(frequency_) + base_;
    // Without a counter every reading advances one thirtieth of a second.
    base_ += rate_ * (1.0 / 30.0);
    return base_;
}

double animationRate(int32_t animationSpeed)
{
    return 2.0 * std::pow(2.0, (static_cast<double>(animationSpeed) - 50.0) * 0.03);
}
