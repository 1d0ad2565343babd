#include "scene/SceneClock.h"

#include <gtest/gtest.h>

namespace {

// A counter the test winds by hand; either operation can be made to fail.
struct ManualCounter : CounterSource {
    int64_t ticksPerSecond = 1000;
    int64_t ticks = 0;
    bool hasFrequency = true;
    bool canRead = true;
    int frequencyCalls = 0;

    bool frequency(int64_t& out) override
    {
        ++frequencyCalls;
        out = ticksPerSecond;
        return hasFrequency;
    }
    bool read(int64_t& out) override
    {
        out = ticks;
        return canRead;
    }
};

TEST(SceneClock, ScalesElapsedCounterTicksByRate)
{
    ManualCounter counter;
    counter.ticks = 5000;
    SceneClock clock(counter);
    clock.start(7000.0, 2.0);
    EXPECT_DOUBLE_EQ(clock.now(), 7000.0);
    counter.ticks = 6500;  // 1.5 real seconds later
    EXPECT_DOUBLE_EQ(clock.now(), 7003.0);
    EXPECT_DOUBLE_EQ(clock.base(), 7000.0);
    EXPECT_EQ(counter.frequencyCalls, 1);
}

TEST(SceneClock, WithoutCounterEveryReadingAdvancesOneThirtiethAtRate)
{
    // No frequency (a working read must not be divided by 0), or no reading.
    for (bool frequencyFails : {true, false}) {
        ManualCounter counter;
        counter.hasFrequency = !frequencyFails;
        counter.canRead = frequencyFails;
        SceneClock clock(counter);
        clock.start(100.0, 3.0);
        const double step = 3.0 * (1.0 / 30.0);
        EXPECT_DOUBLE_EQ(clock.now(), 100.0 + step);
        EXPECT_DOUBLE_EQ(clock.now(), 100.0 + 2 * step);
        EXPECT_DOUBLE_EQ(clock.now(), 100.0 + 3 * step);
        EXPECT_DOUBLE_EQ(clock.base(), 100.0 + 3 * step);
    }
}

TEST(SceneClock, RestartRebasesOnCurrentCounter)
{
    ManualCounter counter;
    SceneClock clock(counter);
    clock.start(0.0, 1.0);
    counter.ticks = 10000;
    clock.start(50.0, 0.5);
    counter.ticks = 12000;
    EXPECT_DOUBLE_EQ(clock.now(), 51.0);
}

TEST(AnimationRate, MatchesTheSpeedTable)
{
    EXPECT_EQ(animationRate(50), 2.0);
    const struct {
        int speed;
        double rate;
    } rows[] = {
        {0, 0.7071}, {20, 1.0718}, {40, 1.6245}, {70, 3.0314}, {100, 5.6569},
    };
    for (const auto& row : rows)
        EXPECT_NEAR(animationRate(row.speed), row.rate, 5e-5) << row.speed;
}

}  // namespace
