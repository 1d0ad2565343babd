#pragma once
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include <cstdint>
#include <vector>

// An off-screen WGL pbuffer with a rendering context of its own. The context
// shares no objects with the window's.
class PbufferSurface {
public:
    PbufferSurface() = default;
    PbufferSurface(const PbufferSurface&) = delete;
    PbufferSurface& operator=(const PbufferSurface&) = delete;
    ~PbufferSurface() { release(); }

    // extraFormatAttributes and pbufferAttributes are zero-terminated pairs (either may be null).
    bool create(int32_t width, int32_t height, int32_t colorBits, int32_t depthBits, int32_t stencilBits,
                const int* extraFormatAttributes, const int* pbufferAttributes);
    void release();
    bool makeCurrent();

    HPBUFFERARB pbuffer() const { return pbuffer_; }
    // The colour buffer that drawing goes to, for binding as a texture.
    int drawnBuffer() const { return doubleBuffered_ ? WGL_BACK_LEFT_ARB : WGL_FRONT_LEFT_ARB; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    // The pixel-format request: surface attributes, then the caller's, then 0.
    static std::vector<int> formatAttributes(int32_t colorBits, int32_t depthBits, int32_t stencilBits,
                                             const int* extraFormatAttributes);

private:
    bool choosePixelFormat(HDC dc, const int* extraFormatAttributes, int& format);

    HGLRC context_ = nullptr;
    HDC dc_ = nullptr;
    HPBUFFERARB pbuffer_ = nullptr;
    bool doubleBuffered_ = false;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t colorBits_ = 0;
    int32_t depthBits_ = 0;
    int32_t stencilBits_ = 0;
};
