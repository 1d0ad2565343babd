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
    const int result = decode(image, bytes, size, name);
    free(bytes);
    return result;
}

int ImageLoader::decode(Image& image, const void* bytes, size_t size, const char* name)
{
    image.pixels = nullptr;
    DecodeFunction decoder = decoderFor(name);
    if (!decoder) {
        Trace("Unknown image \"%s\" format", name);
        return 0;
    }
    return decoder(image, static_cast<const uint8_t*>(bytes), size, name);
}
