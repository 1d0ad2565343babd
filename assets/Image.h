#pragma once

#include <cstdint>

// A decoded raster: R, G, B [, A] bytes, rows top first, tightly packed.
// The pixel buffer comes from malloc and its holder releases it with free.
struct Image {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t bitsPerPixel = 0;
    uint8_t* pixels = nullptr;
};

// Largest pixel buffer a decoder will allocate: room for 4096 x 4096 at 32
// bits, well above the largest scene picture.
constexpr uint64_t maxImageBytes = uint64_t(1) << 26;
