#include "scene/MaskedLayer.h"

#include <cstdlib>

namespace {

bool readable(const Image& image)
{
    return image.pixels && image.width > 0 && image.height > 0 &&
           (image.bitsPerPixel == 24 || image.bitsPerPixel == 32);
}

}  // namespace

Image maskedLayer(const Image& layer, const Image& mask)
{
    Image merged;
    if (!readable(layer) || !readable(mask) || uint64_t(layer.width) * layer.height * 4 > maxImageBytes)
        return merged;
    merged.pixels = static_cast<uint8_t*>(std::malloc(size_t(layer.width) * layer.height * 4));
    if (!merged.pixels)
        return merged;
    merged.width = layer.width;
    merged.height = layer.height;
    merged.bitsPerPixel = 32;
    const int layerStep = layer.bitsPerPixel / 8, maskStep = mask.bitsPerPixel / 8;
    uint8_t* out = merged.pixels;
    for (int y = 0; y < layer.height; ++y) {
        const int maskY = int(int64_t(y) * mask.height / layer.height);
        const uint8_t* maskRow = mask.pixels + size_t(maskY) * mask.width * maskStep;
        const uint8_t* in = layer.pixels + size_t(y) * layer.width * layerStep;
        for (int x = 0; x < layer.width; ++x, in += layerStep, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = maskRow[size_t(int64_t(x) * mask.width / layer.width) * maskStep];
        }
    }
    return merged;
}
