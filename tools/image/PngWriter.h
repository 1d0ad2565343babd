#pragma once

#include "tools/image/Raster.h"

#include <cstdint>
#include <vector>

// 8-bit RGB PNG, for the contact sheet.
class PngWriter {
public:
    static std::vector<uint8_t> encode(const Raster& picture);
};
