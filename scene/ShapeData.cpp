#include "scene/ShapeData.h"

#include <cstdlib>
#include <cstring>

namespace {

int32_t readCount(const unsigned char* bytes)
{
    const uint32_t raw =
        uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
    int32_t count;
    std::memcpy(&count, &raw, sizeof count);
    return count;
}

// The triangles' size fits in the bytes left, computed without overflow.
bool fits(int32_t count, size_t available)
{
    return count >= 0 && static_cast<size_t>(count) <= available / shapeTriangleBytes;
}

}  // namespace

bool shapeBlockCount(const void* block, size_t length, int32_t& count)
{
    if (block == nullptr || length < 4)
        return false;
    count = readCount(static_cast<const unsigned char*>(block));
    return fits(count, length - 4);
}

bool ShapeData::allocate(int32_t count)
{
    // One spare byte so an empty shape is a successful allocation too.
    const size_t bytes = static_cast<size_t>(count) * shapeTriangleBytes + 1;
    vertices_ = static_cast<ShapeVertex*>(std::malloc(bytes));
    if (vertices_ == nullptr)
        return false;
    count_ = count;
    return true;
}

bool ShapeData::loadFromMemory(const void* block, size_t length)
{
    release();
    int32_t count = 0;
    if (!shapeBlockCount(block, length, count) || !allocate(count))
        return false;
    std::memcpy(vertices_, static_cast<const unsigned char*>(block) + 4,
                static_cast<size_t>(count) * shapeTriangleBytes);
    return true;
}

void ShapeData::release()
{
    std::free(vertices_);
    vertices_ = nullptr;
    count_ = 0;
}
