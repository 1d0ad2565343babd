#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/Image.h"

// Baseline and progressive three-component JPEG through libjpeg's version-62
// interface, decoded to 24-bit R, G, B.
class JpegDecoder {
public:
    // 1 with the image filled, 0 with it untouched; name is for messages.
    // Corrupt data fails the decode and never ends the process.
    static int decode(Image& image, const uint8_t* data, size_t size, const char* name);
};
