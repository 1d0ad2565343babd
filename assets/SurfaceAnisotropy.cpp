#include "assets/SurfaceAnisotropy.h"

#include <cctype>
#include <cstring>

namespace {
// Lower-case names as they appear in the renderer strings of the software drivers.
const char* const kSoftwareRenderers[] = {"llvmpipe", "softpipe", "gdi generic", "swiftshader", "swrast"};

bool containsIgnoringCase(const char* text, const char* lowerName)
{
    const size_t length = std::strlen(lowerName);
    for (; *text != '\0'; ++text) {
        size_t i = 0;
        while (i < length && text[i] != '\0' && std::tolower(static_cast<unsigned char>(text[i])) == lowerName[i])
            ++i;
        if (i == length)
            return true;
    }
    return false;
}
}

bool isSoftwareRenderer(const char* renderer)
{
    if (renderer == nullptr)
        return false;
    for (const char* name : kSoftwareRenderers)
        if (containsIgnoringCase(renderer, name))
            return true;
    return false;
}

float surfaceAnisotropy(const char* renderer, float driverMaximum)
{
    if (isSoftwareRenderer(renderer) || !(driverMaximum > 1.0f))
        return 1.0f;
    return driverMaximum;
}
