#include "scene/TourCamera.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

TEST(TourCamera, FlyInStartsAt150AndShrinksPerSceneSecond)
{
    EXPECT_DOUBLE_EQ(flyInApproach(0.0), 150.0);
    EXPECT_NEAR(flyInApproach(1.0) / flyInApproach(0.0), 0.9276, 1e-4);
    EXPECT_NEAR(flyInApproach(9.2), 75.0, 1.0);  // half-life of about 9.2 scene seconds
    EXPECT_LT(flyInApproach(1000.0), 1e-20);
}

TEST(TourCamera, PoseAtStartTimeIs154TimesScaleOut)
{
    const double T = 7000.0;
    const CameraPose pose = tourPose(T, 150.0);
    const double s = 0.4 * std::sin(T / 53.0 + 17.0) + 1.15;
    EXPECT_NEAR(std::hypot(pose.eye.x, pose.eye.y), 154.0 * s, 1e-9);
    EXPECT_NEAR(pose.eye.x, std::sin(T / 37.0) * 154.0 * s, 1e-9);
    EXPECT_NEAR(pose.eye.y, std::cos(T / 37.0) * 154.0 * s, 1e-9);
    EXPECT_NEAR(pose.eye.z, 2.0 * s * std::cos(T / 17.0), 1e-12);
    EXPECT_DOUBLE_EQ(pose.centre.x, 0.0);
    EXPECT_DOUBLE_EQ(pose.centre.y, 0.0);
    EXPECT_NEAR(pose.centre.z, 0.5 * std::cos(T / 41.0), 1e-12);
    EXPECT_NEAR(pose.up.x, 0.2 * std::cos(T / 11.0), 1e-12);
    EXPECT_NEAR(pose.up.y, 0.2 * std::sin(T / 11.0), 1e-12);
    EXPECT_DOUBLE_EQ(pose.up.z, 1.0);
}

TEST(TourCamera, SettledTourStaysWithinItsBounds)
{
    for (double T = 0.0; T < 40000.0; T += 7.3) {
        const double s = tourScale(T);
        ASSERT_GE(s, 0.75 - 1e-12);
        ASSERT_LE(s, 1.55 + 1e-12);
        const CameraPose pose = tourPose(T, 0.0);
        const double horizontal = std::hypot(pose.eye.x, pose.eye.y);
        ASSERT_GE(horizontal, 3.0 - 1e-9);
        ASSERT_LE(horizontal, 6.2 + 1e-9);
        ASSERT_LE(std::fabs(pose.eye.z), 3.1 + 1e-9);
    }
}

}  // namespace
