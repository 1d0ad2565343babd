#pragma once
#include <cstddef>

// Heap blocks the scene keeps until shutdown, in loading order: the star array
// (decoded pictures and the shape file's bytes are freed once GL and the mesh have
// their own copies).
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
    static constexpr size_t capacity = 32;
    void* blocks_[capacity] = {};
    size_t count_ = 0;
};
