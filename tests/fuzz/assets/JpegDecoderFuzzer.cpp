#include <cstdlib>

#include "assets/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Image image;
    if (JpegDecoder::decode(image, data, size, "fuzz.jpg"))
        free(image.pixels);
    return 0;
}
