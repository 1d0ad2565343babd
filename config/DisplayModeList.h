#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct DisplayModeEntry {
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
};

// The display modes the settings page offers, in the system's enumeration order:
// the first of each width, height and depth (refresh rates and flags ignored),
// nothing of 8 bits per pixel or fewer.
class DisplayModeList {
public:
    // DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT: a mode with none of them says nothing.
    static const uint32_t kModeFields = 0x1C0000;

    void clear() { rows_.clear(); }
    // Appends the mode unless a rule skips it; true when appended.
    bool offer(uint32_t fields, int32_t width, int32_t height, int32_t bitsPerPixel);
    const std::vector<DisplayModeEntry>& rows() const { return rows_; }
    bool empty() const { return rows_.empty(); }

    // The combo text of a mode: "800x600 (32 bits)".
    static std::string entryText(int32_t width, int32_t height, int32_t bitsPerPixel);

private:
    std::vector<DisplayModeEntry> rows_;
};
