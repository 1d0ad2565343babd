#pragma once

#include <cstdint>

// The block the ZIP reader's file functions open as their "file".
struct ZipSource {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};
