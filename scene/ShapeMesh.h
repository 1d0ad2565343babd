#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/GlHeaders.h"
#include "scene/MeshChunks.h"
#include "scene/ShapeData.h"

// A triangle mesh from a shape file, drawn through display lists, one per chunk, of
// which only those the eye can see are called. release deletes the lists while the
// context is current; the destructor frees memory only.
class ShapeMesh {
public:
    ShapeMesh() = default;
    ShapeMesh(const ShapeMesh&) = delete;
    ShapeMesh& operator=(const ShapeMesh&) = delete;
    virtual ~ShapeMesh();

    // The block stays the caller's; the mesh copies the triangles. 1 or 0.
    virtual int loadFromMemory(const void* block, size_t length);
    // Compiles the lists on first use; draws the chunks that face the eye and reach the
    // kept side of clip planes 0 and 1 where enabled.
    virtual int drawList();
    // Deletes the lists (in the current context) and the triangles.
    virtual void release();
    // Gives every vertex its texture coordinates in the second unit too, from the next
    // compile on (compiled lists are deleted, in the current context); null: unit 0 only.
    void setSecondUnit(void(APIENTRY* multiTexCoord2f)(GLenum, GLfloat, GLfloat));

    int32_t triangleCount() const { return data_.triangleCount(); }

protected:
    void compileLists();
    void deleteLists();

    ShapeData data_;
    std::vector<MeshChunk> chunks_;
    int32_t list_ = -1;
    void(APIENTRY* secondUnit_)(GLenum, GLfloat, GLfloat) = nullptr;
};
