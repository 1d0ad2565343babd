#pragma once
#include <cstdint>

// One sprite of the lens-flare chain. Position scales the sun's device position
// (1 on the sun, 0 at the screen centre); sizes are device units at full intensity.
struct FlareElement {
    double position;
    double halfWidth;
    double halfHeight;
    double alpha;
    int32_t texture;  // 0 selects flare texture 1
    float red, green, blue;
};

constexpr int flareElementCount = 27;
extern const FlareElement flareElements[flareElementCount];
// Drawn last; keeps its length and only fades.
extern const FlareElement flareStreak;
