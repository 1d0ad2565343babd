#pragma once

#include <cstdlib>
#include <string>

#include "assets/ResourcePack.h"

// The member's bytes, or "<failed>" when extraction reports 0 (and
// "<pointer set>" should it then hand out a buffer anyway).
inline std::string extractedText(ResourcePack& pack, const char* name)
{
    void* bytes = nullptr;
    size_t size = pack.extract(name, &bytes);
    if (size == 0)
        return bytes ? "<pointer set>" : "<failed>";
    std::string text(static_cast<char*>(bytes), size);
    free(bytes);
    return text;
}
