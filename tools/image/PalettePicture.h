#pragma once

#include "tools/image/Raster.h"

#include <array>
#include <cstdint>
#include <vector>

// An 8-bit picture: one palette index per pixel, top row first.
struct PalettePicture {
    int width = 0;
    int height = 0;
    std::vector<std::array<uint8_t, 3>> palette;  // R, G, B; at most 256
    std::vector<uint8_t> indices;

    // Median-cut palette of 256 colours, nearest colour per pixel.
    static PalettePicture quantise(const Raster& picture);
};
