#include "config/DisplayModeList.h"

#include <cstdio>

bool DisplayModeList::offer(uint32_t fields, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    if ((fields & kModeFields) == 0 || bitsPerPixel <= 8)
        return false;
    for (const DisplayModeEntry& row : rows_) {
        if (row.width == width && row.height == height && row.bitsPerPixel == bitsPerPixel)
            return false;
    }
    rows_.push_back({width, height, bitsPerPixel});
    return true;
}

std::string DisplayModeList::entryText(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    char text[64];
    std::snprintf(text, sizeof text, "%dx%d (%d bits)", static_cast<int>(width), static_cast<int>(height),
                  static_cast<int>(bitsPerPixel));
    return text;
}
