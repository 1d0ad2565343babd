#include "assets/ResourceStream.h"

#include <cstring>
#include <new>

ResourceStream* ResourceStream::open(const uint8_t* data, uint32_t size, const char* mode)
{
    if (!data || size == 0 || !mode || std::strcmp(mode, "rb") != 0)
        return nullptr;
    return new (std::nothrow) ResourceStream(data, size);
}

void ResourceStream::close(ResourceStream* stream)
{
    delete stream;
}

int ResourceStream::seek(int64_t offset, Origin origin)
{
    int64_t base = 0;
    if (origin == Current)
        base = position;
    else if (origin == End)
        base = size;
    // Offsets come from archive fields; keep the sum inside int64_t.
    if (offset > INT64_MAX - base || offset < -base)
        return -1;
    int64_t target = base + offset;
    if (target > size)
        return -1;
    position = static_cast<uint32_t>(target);
    return 0;
}

size_t ResourceStream::read(size_t itemSize, size_t itemCount, void* destination)
{
    if (itemSize == 0 || itemCount == 0)
        return 0;
    size_t remaining = size - position;
    size_t items = remaining / itemSize;
    if (items > itemCount)
        items = itemCount;
    if (items == 0)
        return 0;
    size_t bytes = items * itemSize;
    std::memcpy(destination, data + position, bytes);
    position += static_cast<uint32_t>(bytes);
    return items;
}
