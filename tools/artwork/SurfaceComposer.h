#pragma once

#include "scene/LayerTable.h"
#include "tools/image/Raster.h"

#include <array>

// Stacks the cloud layers as the compositor does at time 0 (bands at phase 0,
// ovals at their start longitude), sampling bilinearly with repeat wrap. The
// result has the north pole in its top row, as the render texture holds it;
// flip it for a picture that is bound to the mesh directly.
class SurfaceComposer {
public:
    using Stack = std::array<Raster, layerCount>;
    static Raster compose(const Stack& layers, const Stack& masks, int width, int height);
};
