#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/StarCatalogue.h"

// Any text parses into one record per line feed whose appearance is finite.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<StarRecord> stars(countStarLines(text, size));
    parseStars(text, size, stars.data(), stars.size());
    for (const StarRecord& star : stars) {
        const StarAppearance look = starAppearance(star);
        if (!std::isfinite(look.direction.x) || !(look.red >= 0.0f && look.red <= 1.0f))
            __builtin_trap();
    }
    return 0;
}
