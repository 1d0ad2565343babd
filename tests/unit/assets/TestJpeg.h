#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct JpegOptions {
    int components = 3;  // 1 grey, 3 RGB, 4 CMYK
    int quality = 95;
    bool progressive = false;
    size_t applicationBytes = 0;  // spread over APP5 markers the decoder skips
};

// Encodes interleaved samples as a JPEG in memory.
std::vector<uint8_t> encodeJpeg(const std::vector<uint8_t>& samples, int width, int height,
                                const JpegOptions& options = {});

// The library's own memory decode, as the reference output.
std::vector<uint8_t> referenceDecode(const std::vector<uint8_t>& jpeg);

// Samples that vary across both axes with some fine detail.
std::vector<uint8_t> testPicture(int width, int height, int components = 3);
