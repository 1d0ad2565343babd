#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// A device-independent picture of 24 bits per pixel (or 8 with a grey colour
// table), rows bottom-up in the DIB stride, drawn unscaled when the destination
// has the source's size and half-tone stretched otherwise.
class DibPicture {
public:
    enum Kind { Empty = -1, Rgb24 = 0, Grey8 = 1 };

    bool allocate(int width, int height, int kind);
    // From a bitmap resource of the program (name may be MAKEINTRESOURCE) or a file.
    bool load(const char* name, bool fromResource);
    // Rectangles as left, top, right, bottom.
    bool draw(HDC dc, const RECT& destination, const RECT& source) const;
    void release();

    int width() const { return width_; }
    int height() const { return height_; }
    int kind() const { return kind_; }
    // Bytes of one row: width times bytes per pixel, rounded up to a multiple of 4.
    int stride() const;
    const uint8_t* bits() const { return bits_.empty() ? nullptr : bits_.data(); }
    uint8_t* bits() { return bits_.empty() ? nullptr : bits_.data(); }

private:
    struct Header {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    };
    bool takeRows(HDC screen, HBITMAP bitmap, const Header& source);

    std::vector<uint8_t> bits_;
    Header info_ = {};
    int width_ = 0;
    int height_ = 0;
    int kind_ = Empty;
};
