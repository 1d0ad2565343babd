#include <cstdlib>

#include "assets/TgaDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Image image;
    if (TgaDecoder::decode(image, data, size, "fuzz.tga"))
        free(image.pixels);
    return 0;
}
