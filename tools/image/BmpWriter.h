#pragma once

#include "tools/image/Raster.h"

#include <cstdint>
#include <vector>

struct PalettePicture;

// Windows bitmap files: bottom-up rows padded to four bytes.
class BmpWriter {
public:
    static std::vector<uint8_t> encode24(const Raster& picture);
    static std::vector<uint8_t> encode8(const PalettePicture& picture);
};
