#pragma once
#include <windows.h>

// A visible, double-buffered OpenGL window whose context stays current while it lives.
class GlTestWindow {
public:
    GlTestWindow(int width, int height);
    ~GlTestWindow();
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    bool ready() const { return context_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    void swap() { SwapBuffers(dc_); }

private:
    int width_, height_;
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HGLRC context_ = nullptr;
};
