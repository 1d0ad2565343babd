#include "scene/TourCamera.h"

#include <cmath>

double flyInApproach(double elapsed)
{
    return 150.0 * std::pow(0.995, 15.0 * elapsed);
}

double tourScale(double T)
{
    return 0.4 * std::sin(T / 53.0 + 17.0) + 1.15;
}

CameraPose tourPose(double T, double approach)
{
    CameraPose pose;
    pose.centre = {0.0, 0.0, 0.5 * std::cos(T / 41.0)};
    pose.up = {0.2 * std::cos(T / 11.0), 0.2 * std::sin(T / 11.0), 1.0};
    const double s = tourScale(T);
    const double a = T / 37.0;  // one circle per 2 pi x 37 scene seconds
    const double r = approach + 4.0;
    pose.eye = {std::sin(a) * r * s, std::cos(a) * r * s, 2.0 * s * std::cos(T / 17.0)};
    return pose;
}
