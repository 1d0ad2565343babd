#include "scene/SceneBuffers.h"

#include <cstdlib>

bool SceneBuffers::keep(void* block)
{
    if (block == nullptr)
        return true;
    if (count_ == capacity) {
        std::free(block);
        return false;
    }
    blocks_[count_++] = block;
    return true;
}

void SceneBuffers::freeAll()
{
    for (size_t i = 0; i < count_; ++i) {
        std::free(blocks_[i]);
        blocks_[i] = nullptr;
    }
    count_ = 0;
}
