#pragma once

#include <cstddef>
#include <cstdint>

// The file layer the ZIP reader is given: one read-only memory block with a
// single position, opened for reading only.
class ResourceStream {
public:
    enum Origin { Start, Current, End };

    // Mode must be exactly "rb" and the block non-empty; nullptr otherwise.
    static ResourceStream* open(const uint8_t* data, uint32_t size, const char* mode);
    static void close(ResourceStream* stream);

    // 0 on success; -1 leaves the position unchanged when the target lies
    // outside 0..size.
    int seek(int64_t offset, Origin origin);
    uint32_t tell() const { return position; }
    // Copies whole items only and returns how many.
    size_t read(size_t itemSize, size_t itemCount, void* destination);
    int error() const { return 0; }

private:
    ResourceStream(const uint8_t* data, uint32_t size) : data(data), size(size) {}

    const uint8_t* data;
    uint32_t size;
    uint32_t position = 0;
};
