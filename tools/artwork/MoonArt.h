#pragma once

#include "tools/image/Raster.h"

// The four moons as 512 × 256 longitude-latitude maps, top row at the south
// pole: 0 cratered grey rock, 1 ice, 2 sulphur volcanoes, 3 dark rust.
class MoonArt {
public:
    static Raster moon(int index);
};
