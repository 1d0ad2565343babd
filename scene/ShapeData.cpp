#include "scene/ShapeData.h"

#include <cstdio>
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

bool ShapeData::loadFromFile(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    release();
    unsigned char header[4];
    bool ok = std::fread(header, 1, 4, file) == 4;
    long end = -1;
    if (ok && std::fseek(file, 0, SEEK_END) == 0)
        end = std::ftell(file);
    ok = ok && end >= 4 && std::fseek(file, 4, SEEK_SET) == 0;
    const int32_t count = ok ? readCount(header) : -1;
    ok = ok && fits(count, static_cast<size_t>(end - 4)) && allocate(count);
    const size_t bytes = static_cast<size_t>(count_) * shapeTriangleBytes;
    ok = ok && std::fread(vertices_, 1, bytes, file) == bytes;
    std::fclose(file);
    if (!ok)
        release();
    return ok;
}

void ShapeData::release()
{
    std::free(vertices_);
    vertices_ = nullptr;
    count_ = 0;
}
