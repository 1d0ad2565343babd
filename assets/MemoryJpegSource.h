#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>

// Feeds the JPEG library from one memory block in blocks of up to 65,536
// bytes. When the block ends early it hands over an end-of-image marker,
// never bytes past the block.
struct MemoryJpegSource {
    jpeg_source_mgr manager;
    const uint8_t* data;
    size_t length;
    size_t offset;
    JOCTET* buffer;
    bool startOfFile;

    // The block must stay valid until the decompressor is destroyed.
    static void install(j_decompress_ptr info, const uint8_t* data, size_t length);
};
