#pragma once

#include "tools/image/Raster.h"

// The grey sprite pictures "Flare1.jpg" … "Flare10.jpg"; the sprites' colour
// comes from the scene. 1–6 serve the lens flares, 7, 9 and 10 the planet halos.
class FlareArt {
public:
    static Raster flare(int number);
};
