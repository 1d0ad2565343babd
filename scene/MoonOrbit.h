#pragma once
#include <cstdint>

// One moon: sizes and distances in planet radii; an orbit takes 180 x period scene seconds.
struct MoonRecord {
    double radius;
    double orbitRadius;
    double period;
    int32_t texture;
};

constexpr int moonCount = 4;
extern const MoonRecord moonRecords[moonCount];

// Orbit angle in radians of moon `index` at scene time T; the moons start 2 radians apart.
double moonAngle(double T, const MoonRecord& moon, int index);

// Opacity of a moon's glow at depth d in front of the eye: distant moons read as points.
double moonGlowAlpha(double depth);

// The four window points of a square screen sprite around the projected centre
// (wx, wy), half sizes hx, hy in pixels; centred half a pixel left of and above it.
struct WindowPoint {
    double x, y;
};
struct ScreenSpriteCorners {
    WindowPoint a, b, c, d;
};
ScreenSpriteCorners screenSpriteCorners(double wx, double wy, double hx, double hy);
