#pragma once
#include <cstdint>
#include <vector>

#include "scene/ShapeData.h"
#include "scene/Vec3.h"

// A patch of a mesh: its triangles, where they lie and which way they face, enough to
// skip the patch when none of it can reach the picture.
struct MeshChunk {
    std::vector<int32_t> triangles;  // indices into the shape's triangles
    Vec3 axis;  // mean direction of the faces, unit
    double spread = 0.0;  // widest angle between a face and the axis, radians
    Vec3 centre;  // a sphere around every corner
    double radius = 0.0;
};

// Where a chunk is seen from, in the mesh's own coordinates: the eye, and the clip
// planes in use (a x + b y + c z + d >= 0 is kept).
struct ChunkView {
    static constexpr int maxPlanes = 2;
    Vec3 eye;
    int planeCount = 0;
    double planes[maxPlanes][4] = {};
};

// Groups the triangles by the direction of their centres from the origin: the cube's
// faces, each cut into cells x cells squares. Cells that hold no triangle make no chunk.
std::vector<MeshChunk> chunkMesh(const ShapeData& shape, int cells);

// The view of a column-major model-view matrix (affine, invertible, not mirroring) and
// of up to maxPlanes clip planes given in eye coordinates.
ChunkView chunkView(const double modelView[16], const double (*eyePlanes)[4] = nullptr, int planeCount = 0);

// False only when every triangle of the chunk turns its back on the eye (culled) or
// lies wholly on the dropped side of a clip plane.
bool chunkVisible(const MeshChunk& chunk, const ChunkView& view);
