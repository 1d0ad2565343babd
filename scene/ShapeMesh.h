#pragma once
#include <cstddef>
#include <cstdint>

#include "scene/ShapeData.h"

// A triangle mesh from a shape file, drawn through a display list. release deletes
// the list while the context is current; the destructor frees memory only.
class ShapeMesh {
public:
    ShapeMesh() = default;
    ShapeMesh(const ShapeMesh&) = delete;
    ShapeMesh& operator=(const ShapeMesh&) = delete;
    virtual ~ShapeMesh();

    // The block stays the caller's; the mesh copies the triangles. 1 or 0.
    virtual int loadFromMemory(const void* block, size_t length);
    // Compiles the list on first use.
    virtual int drawList();
    // Deletes the list (in the current context) and the triangles.
    virtual void release();

    int32_t triangleCount() const { return data_.triangleCount(); }

protected:
    ShapeData data_;
    int32_t list_ = -1;
};
