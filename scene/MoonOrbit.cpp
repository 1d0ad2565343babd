#include "scene/MoonOrbit.h"

#include <algorithm>

// Base sizes are enlarged and base distances shrunk by 1.5 so the moons read at tour range.
const MoonRecord moonRecords[moonCount] = {
    {0.0254 * 1.5, 5.9 / 1.5, 4.28, 0},
    {0.0219 * 1.5, 9.38 / 1.5, 8.59, 1},
    {0.0368 * 1.5, 14.97 / 1.5, 17.3, 2},
    {0.0336 * 1.5, 26.34 / 1.5, 40.36, 3},
};

namespace {
// One degree in radians to single precision, as the moons' timing was tuned with it.
constexpr double kDegreeInSinglePrecision = 0.01745329237161969;
}

double moonAngle(double T, const MoonRecord& moon, int index)
{
    return T * kDegreeInSinglePrecision / (0.5 * moon.period) + 2.0 * index;
}

double moonGlowAlpha(double depth)
{
    return std::clamp(depth * 0.008 - 0.1, 0.0, 0.5);
}

ScreenSpriteCorners screenSpriteCorners(double wx, double wy, double hx, double hy)
{
    return {
        {wx - hx - 0.5, wy - hy + 0.5},
        {wx - hx - 0.5, wy + hy + 0.5},
        {wx + hx - 0.5, wy + hy + 0.5},
        {wx + hx - 0.5, wy - hy + 0.5},
    };
}
