#pragma once
#include <cstddef>
#include <cstdint>

// One vertex of the shape file, 32 bytes little-endian.
struct ShapeVertex {
    float position[3];
    float normal[3];
    float u, v;
};
static_assert(sizeof(ShapeVertex) == 32, "the shape file's vertex layout");

constexpr size_t shapeTriangleBytes = 3 * sizeof(ShapeVertex);

// The triangles of a shape file: a 32-bit count, then count x 96 bytes.
class ShapeData {
public:
    ShapeData() = default;
    ShapeData(const ShapeData&) = delete;
    ShapeData& operator=(const ShapeData&) = delete;
    ~ShapeData() { release(); }

    // Copies the triangles; rejects negative counts and counts the block cannot hold.
    bool loadFromMemory(const void* block, size_t length);
    void release();

    int32_t triangleCount() const { return count_; }
    const ShapeVertex* vertices() const { return vertices_; }
    size_t vertexCount() const { return static_cast<size_t>(count_) * 3; }

private:
    bool allocate(int32_t count);

    ShapeVertex* vertices_ = nullptr;
    int32_t count_ = 0;
};

// True when the block's count is at least 0 and its triangles fit in length.
bool shapeBlockCount(const void* block, size_t length, int32_t& count);
