#pragma once

#include "tools/image/Raster.h"

#include <cstdint>
#include <vector>

// One square icon image: colour and coverage (0 transparent .. 1 opaque).
struct IconImage {
    Raster colour;
    std::vector<float> alpha;
};

// Icon file of 32-bit images with their AND masks.
class IcoWriter {
public:
    static std::vector<uint8_t> encode(const std::vector<IconImage>& images);
};
