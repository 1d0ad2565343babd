#include "assets/ImageLoader.h"

#include <cstdlib>
#include <cstring>

#include "assets/JpegDecoder.h"
#include "assets/TgaDecoder.h"
#include "assets/Trace.h"

namespace {

using DecodeFunction = int (*)(Image&, const uint8_t*, size_t, const char*);

struct DecoderChoice {
    const char* extension;
    DecodeFunction decode;
};

const DecoderChoice decoders[] = {
    {".tga", TgaDecoder::decode},
    {".jpg", JpegDecoder::decode},
};

DecodeFunction decoderFor(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    for (const DecoderChoice& choice : decoders) {
        if (dot && std::strcmp(dot, choice.extension) == 0)
            return choice.decode;
    }
    return nullptr;
}

}  // namespace

int ImageLoader::load(Image& image, const char* name, ResourcePack& pack)
{
    image.pixels = nullptr;
    void* bytes = nullptr;
    size_t size = pack.extract(name, &bytes);
    if (size == 0)
        return 0;
    int result = 0;
    DecodeFunction decode = decoderFor(name);
    if (decode)
        result = decode(image, static_cast<const uint8_t*>(bytes), size, name);
    else
        Trace("Unknown image \"%s\" format", name);
    free(bytes);
    return result;
}
