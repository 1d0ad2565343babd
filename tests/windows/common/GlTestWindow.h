#pragma once
#include <windows.h>

#include <cstdint>

// A visible, double-buffered OpenGL window whose context is current while it lives,
// for reading back what a test drew.
class GlTestWindow {
public:
    GlTestWindow(int width, int height);
    ~GlTestWindow();
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    // One 64 x 64 window for all tests: each window's end costs Wine seconds without a window manager.
    static GlTestWindow& shared();

    bool ready() const { return context_ != nullptr; }
    bool makeCurrent() const;
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void swap() { SwapBuffers(dc_); }
    // The RGB bytes of one pixel of the back buffer, origin bottom left.
    uint32_t pixel(int x, int y) const;

private:
    int width_;
    int height_;
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
};
