#pragma once

#include "tools/artwork/PlanetView.h"
#include "tools/image/IcoWriter.h"
#include "tools/image/Raster.h"

#include <vector>

// Pictures of the program's own resources.
class ResourceArt {
public:
    // Bitmap 145: 192 × 144 still of the ringed planet with the title lettering.
    static Raster preview(const PlanetView& view);
    // Bitmap 138: six 32 × 32 product-list cells on magenta (planet, download,
    // globe, unknown, new, installed).
    static Raster listCells(const PlanetView& view);
    // Icon 128, the ringed planet; icon 136, a decorative gold star.
    static std::vector<IconImage> programIcon(const PlanetView& view);
    static std::vector<IconImage> decorativeIcon();
    // A large view of the planet system for the contact sheet.
    static Raster systemView(const PlanetView& view, int size);
};
