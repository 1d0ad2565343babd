#pragma once

#include <cstdint>
#include <vector>

// The planet's unit sphere: an icosahedron whose faces are split into
// frequency² triangles, written in the scene's shape-file layout.
class GeodesicSphere {
public:
    struct Vertex {
        float position[3];
        float normal[3];
        float u, v;
    };
    struct Triangle {
        Vertex corner[3];
    };

    // turnOffset turns the solid about +z, in turns; it decides where the
    // texture seam cuts the polar fans and so how far u reaches below 0.
    GeodesicSphere(int frequency, double turnOffset);

    const std::vector<Triangle>& triangles() const { return triangles_; }
    // Triangle count (int32 little-endian), then 96 bytes per triangle.
    std::vector<uint8_t> shapeFile() const;

private:
    std::vector<Triangle> triangles_;
};
