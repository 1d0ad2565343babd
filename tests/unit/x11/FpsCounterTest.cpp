#include "x11/FpsCounter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FpsCounter, CountsTheFramesOfEachWholeSecond)
{
    FpsCounter fps;
    EXPECT_FALSE(fps.frame(100.0));  // the first frame only starts the count
    for (int i = 1; i < 30; ++i)
        EXPECT_FALSE(fps.frame(100.0 + i / 30.0)) << i;
    EXPECT_EQ(fps.rate(), 0.0);
    EXPECT_TRUE(fps.frame(101.0));
    EXPECT_NEAR(fps.rate(), 30.0, 1e-9);
    char text[32];
    fps.format(text, sizeof text);
    EXPECT_EQ(std::string(text), "FPS: 30.0");
}

TEST(FpsCounter, ASlowFrameGivesARateBelowOne)
{
    FpsCounter fps;
    fps.frame(5.0);
    EXPECT_TRUE(fps.frame(9.0));
    EXPECT_NEAR(fps.rate(), 0.25, 1e-9);
    char text[32];
    fps.format(text, sizeof text);
    EXPECT_EQ(std::string(text), "FPS: 0.2");
}

}  // namespace
