#pragma once

#include <cstdint>

// Positions are fractions of the composed surface: horizontal phase and widths in
// turns of longitude, vertical positions and heights from the surface's top edge.
enum class LayerKind : uint8_t { Base, Band, Oval };

struct LayerDescriptor {
    LayerKind kind;
    double top;  // top edge; for an oval, its centre
    double height;
    double driftSpeed;  // surface widths per composition time unit
    double phase;  // turns of longitude
    double width;  // turns of longitude
    double spin;  // turns per composition time unit; 0 for base and bands
};

constexpr int layerCount = 12;

extern const LayerDescriptor layerTable[layerCount];
