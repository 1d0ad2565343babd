#pragma once

#include "scene/LayerTable.h"
#include "tools/image/Raster.h"

#include <array>

// The twelve cloud layers and their masks. Every layer holds colour × cover and
// its mask 1 − cover, so "multiply by mask, then add layer" blends and never
// overflows; band pictures repeat left to right.
class CloudLayers {
public:
    CloudLayers();

    const Raster& layer(int index) const { return layers_[index]; }
    const Raster& mask(int index) const { return masks_[index]; }
    const std::array<Raster, layerCount>& layers() const { return layers_; }
    const std::array<Raster, layerCount>& masks() const { return masks_; }

    // Width and height of layer `index` as shipped.
    static int pictureWidth(int index);
    static int pictureHeight(int index);

private:
    std::array<Raster, layerCount> layers_;
    std::array<Raster, layerCount> masks_;
};
