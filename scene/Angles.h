#pragma once

// Pi and the conversions between degrees and radians, for the scene and the tools
// that make its data. OpenGL takes its rotation angles in degrees.
constexpr double pi = 3.14159265358979323846;
constexpr double degreesPerRadian = 180.0 / pi;

constexpr double radians(double degrees)
{
    return degrees * pi / 180.0;
}

constexpr double degrees(double radians)
{
    return radians * 180.0 / pi;
}
