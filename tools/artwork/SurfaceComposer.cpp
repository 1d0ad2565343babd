#include "tools/artwork/SurfaceComposer.h"

#include "tools/procedural/ParallelRows.h"

#include <algorithm>
#include <cmath>

namespace {

Colour blend(Colour below, Colour mask, Colour layer)
{
    // The frame buffer clamps each channel at full brightness.
    return {std::min(1.0f, below.r * mask.r + layer.r), std::min(1.0f, below.g * mask.g + layer.g),
            std::min(1.0f, below.b * mask.b + layer.b)};
}

// The layer quads map texture s from the right edge (s = phase) to the left (phase + 1).
Colour composePixel(const SurfaceComposer::Stack& layers, const SurfaceComposer::Stack& masks, double x, double y)
{
    Colour c = layers[0].sampleRepeat((1.0 - x) * 0.5, (1.0 - y) * 0.5);
    for (int k = 1; k < layerCount; ++k) {
        const LayerDescriptor& row = layerTable[k];
        if (row.kind == LayerKind::Band) {
            double y1 = 1.0 - 2.0 * row.top, y2 = 1.0 - 2.0 * (row.top + row.height);
            if (y > y1 || y < y2)
                continue;
            double s = row.phase + (1.0 - x) * 0.5, t = (y1 - y) / (y1 - y2);
            c = blend(c, masks[k].sampleRepeat(s, t), layers[k].sampleRepeat(s, t));
        } else if (row.kind == LayerKind::Oval) {
            // At time 0 the ovals are not turned; p = phase needs no wrap copy.
            double cx = 2.0 * row.phase - 1.0, cy = 1.0 - 2.0 * row.top;
            double lx = (x - cx) / row.width, ly = (y - cy) / row.height;
            if (std::fabs(lx) > 1.0 || std::fabs(ly) > 1.0)
                continue;
            double s = (1.0 - lx) * 0.5, t = (1.0 - ly) * 0.5;
            c = blend(c, masks[k].sampleRepeat(s, t), layers[k].sampleRepeat(s, t));
        }
    }
    return c;
}

}  // namespace

Raster SurfaceComposer::compose(const Stack& layers, const Stack& masks, int width, int height)
{
    Raster surface(width, height);
    parallelRows(height, [&](int row) {
        double y = 1.0 - (row + 0.5) / height * 2.0;
        for (int column = 0; column < width; ++column)
            surface.at(column, row) = composePixel(layers, masks, (column + 0.5) / width * 2.0 - 1.0, y);
    });
    return surface;
}
