#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "assets/Image.h"

using DecodeFunction = int (*)(Image&, const uint8_t*, size_t, const char*);

// One decode of a file, run from an exactly sized heap copy so that the
// sanitizer catches any read past its end; owns the decoded pixels.
struct Decoded {
    Decoded(DecodeFunction decode, const std::vector<uint8_t>& file, const char* name)
    {
        uint8_t* copy = static_cast<uint8_t*>(malloc(file.empty() ? 1 : file.size()));
        std::copy(file.begin(), file.end(), copy);
        result = decode(image, copy, file.size(), name);
        free(copy);
    }
    Decoded(const Decoded&) = delete;
    Decoded& operator=(const Decoded&) = delete;
    ~Decoded() { free(image.pixels); }

    std::vector<uint8_t> pixels() const
    {
        return {image.pixels, image.pixels + size_t(image.width) * image.height * image.bitsPerPixel / 8};
    }

    int result = 0;
    Image image;
};
