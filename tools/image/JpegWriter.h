#pragma once

#include "tools/image/Raster.h"

#include <cstdint>
#include <vector>

// Baseline, 3-component, 8-bit JPEG. Full-resolution chroma keeps thin
// features and mask gradients clean; empty result on an encoder failure.
class JpegWriter {
public:
    static std::vector<uint8_t> encode(const Raster& picture, int quality, bool fullChroma);
};
