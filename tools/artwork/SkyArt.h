#pragma once

#include "tools/image/Raster.h"

// The planet's night-side aurora map, its rings and the star glow.
class SkyArt {
public:
    // 2048 × 1024, bound to the mesh directly: top row at the south pole.
    static Raster night();
    // 1024 × 1024 over ±2 planet radii: ring brightness and the darkening mask.
    static Raster rings();
    static Raster ringsMask();
    // 128 × 128 soft round spot.
    static Raster starGlow();
};
