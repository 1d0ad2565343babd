#pragma once

#include "assets/Image.h"
#include "assets/ResourcePack.h"

// Turns a pack member into an Image, choosing the decoder by the name's
// last extension: ".tga" or ".jpg", exactly in lower case.
class ImageLoader {
public:
    // 1 on success; 0 leaves image.pixels at nullptr.
    static int load(Image& image, const char* name, ResourcePack& pack);
    // The same for a member's bytes already extracted; they stay the caller's. Touches
    // nothing but its arguments, so pictures may be decoded on several threads at once.
    static int decode(Image& image, const void* bytes, size_t size, const char* name);
};
