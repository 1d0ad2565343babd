#pragma once
#include <cstddef>

// Heap blocks the scene keeps until shutdown, in loading order: decoded pictures,
// the shape file's bytes and the star array.
class SceneBuffers {
public:
    SceneBuffers() = default;
    SceneBuffers(const SceneBuffers&) = delete;
    SceneBuffers& operator=(const SceneBuffers&) = delete;
    ~SceneBuffers() { freeAll(); }

    // Takes ownership of a malloc'd block; a full list frees it at once and says false.
    bool keep(void* block);
    // Frees the blocks in order.
    void freeAll();
    size_t count() const { return count_; }

private:
    static constexpr size_t capacity = 32;  // the scene keeps 21
    void* blocks_[capacity] = {};
    size_t count_ = 0;
};
