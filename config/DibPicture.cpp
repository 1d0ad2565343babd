#include "config/DibPicture.h"

#include <cstdlib>
#include <limits>
#include <new>

#include "framework/DeviceContext.h"
#include "framework/MessageBox.h"
#include "framework/UniqueHandle.h"

namespace {
int rowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void complain(const char* text)
{
    showMessage(nullptr, text, MB_OK);
}
}

int DibPicture::stride() const
{
    return kind_ == Empty ? 0 : rowBytes(width_, kind_ == Rgb24 ? 24 : 8);
}

bool DibPicture::allocate(int width, int height, int kind)
{
    release();
    const int bitsPerPixel = kind == Rgb24 ? 24 : 8;
    if ((kind != Rgb24 && kind != Grey8) || width <= 0 || height <= 0 || width > std::numeric_limits<int>::max() / 32)
        return false;
    const size_t size = static_cast<size_t>(rowBytes(width, bitsPerPixel)) * static_cast<size_t>(height);
    try {
        bits_.assign(size, 0);
    } catch (const std::bad_alloc&) {
        release();
        return false;
    }
    info_ = {};
    info_.header.biSize = sizeof(BITMAPINFOHEADER);
    info_.header.biWidth = width;
    info_.header.biHeight = height;
    info_.header.biPlanes = 1;
    info_.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    info_.header.biCompression = BI_RGB;
    if (kind == Grey8) {
        for (int i = 0; i < 256; ++i) {
            const BYTE level = static_cast<BYTE>(i);
            info_.colors[i] = {level, level, level, 0};
        }
    }
    width_ = width;
    height_ = height;
    kind_ = kind;
    return true;
}

void DibPicture::release()
{
    std::vector<uint8_t>().swap(bits_);
    info_ = {};
    width_ = 0;
    height_ = 0;
    kind_ = Empty;
}

bool DibPicture::load(const char* name, bool fromResource)
{
    const UINT flags = LR_CREATEDIBSECTION | (fromResource ? 0 : LR_LOADFROMFILE);
    BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(fromResource ? GetModuleHandleA(nullptr) : nullptr, name, IMAGE_BITMAP, 0, 0, flags)));
    if (!bitmap) {
        complain("can't load image from file");
        return false;
    }
    WindowDC screen(nullptr);
    Header source = {};
    source.header.biSize = sizeof(BITMAPINFOHEADER);
    if (!GetDIBits(screen.get(), bitmap.get(), 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&source), DIB_RGB_COLORS) ||
        (source.header.biBitCount != 8 && source.header.biBitCount != 24)) {
        complain("Only 8-bit & 24-bit images supported!");
        return false;
    }
    return takeRows(screen.get(), bitmap.get(), source);
}

// Reads every row; an 8-bit source is expanded through its colour table row by
// row, each side in its own stride, so no width shears the picture.
bool DibPicture::takeRows(HDC screen, HBITMAP bitmap, const Header& source)
{
    const int width = source.header.biWidth;
    const int height = std::abs(source.header.biHeight);
    if (!allocate(width, height, Rgb24))
        return false;
    Header request = source;
    request.header.biHeight = height;
    request.header.biCompression = BI_RGB;
    if (source.header.biBitCount == 24) {
        if (GetDIBits(screen, bitmap, 0, height, bits(), reinterpret_cast<BITMAPINFO*>(&request), DIB_RGB_COLORS) !=
            height) {
            release();
            return false;
        }
        return true;
    }
    const int indexStride = rowBytes(width, 8);
    std::vector<uint8_t> indices;
    try {
        indices.assign(static_cast<size_t>(indexStride) * height, 0);
    } catch (const std::bad_alloc&) {
        release();
        return false;
    }
    if (GetDIBits(screen, bitmap, 0, height, indices.data(), reinterpret_cast<BITMAPINFO*>(&request), DIB_RGB_COLORS) !=
        height) {
        release();
        return false;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = indices.data() + static_cast<size_t>(y) * indexStride;
        uint8_t* out = bits() + static_cast<size_t>(y) * stride();
        for (int x = 0; x < width; ++x) {
            const RGBQUAD& color = request.colors[in[x]];
            out[3 * x] = color.rgbBlue;
            out[3 * x + 1] = color.rgbGreen;
            out[3 * x + 2] = color.rgbRed;
        }
    }
    return true;
}

bool DibPicture::draw(HDC dc, const RECT& destination, const RECT& source) const
{
    if (bits_.empty() || kind_ == Empty)
        return false;
    const int sourceWidth = source.right - source.left;
    const int sourceHeight = source.bottom - source.top;
    const int width = destination.right - destination.left;
    const int height = destination.bottom - destination.top;
    // Rows are bottom-up: a source top edge counts from the picture's last row.
    const int sourceBottom = height_ - source.bottom;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(&info_);
    int lines;
    if (width == sourceWidth && height == sourceHeight) {
        lines = SetDIBitsToDevice(dc, destination.left, destination.top, sourceWidth, sourceHeight, source.left,
                                  sourceBottom, 0, height_, bits_.data(), info, DIB_RGB_COLORS);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        lines = StretchDIBits(dc, destination.left, destination.top, width, height, source.left, sourceBottom,
                              sourceWidth, sourceHeight, bits_.data(), info, DIB_RGB_COLORS, SRCCOPY);
    }
    return lines != static_cast<int>(GDI_ERROR) && lines != 0;
}
