#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/Image.h"

// Truevision TGA, uncompressed (type 2) and run-length (type 10) true-colour
// at 24 or 32 bits.
class TgaDecoder {
public:
    // 1 with the image filled, 0 with it untouched; name is for messages.
    static int decode(Image& image, const uint8_t* data, size_t size, const char* name);
};
