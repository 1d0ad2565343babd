#include "tests/windows/common/GlTestWindow.h"

#include <GL/gl.h>

namespace {
const char kClassName[] = "ZandorGlTestWindow";

bool registerClass()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        atom = RegisterClassA(&windowClass);
    }
    return atom != 0;
}

bool setPixelFormat(HDC dc)
{
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 32;
    request.cDepthBits = 24;
    request.cStencilBits = 8;
    const int format = ChoosePixelFormat(dc, &request);
    return format != 0 && SetPixelFormat(dc, format, &request);
}
}

GlTestWindow::GlTestWindow(int width, int height) : width_(width), height_(height)
{
    if (!registerClass())
        return;
    window_ = CreateWindowExA(0, kClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!window_)
        return;
    dc_ = GetDC(window_);
    if (!setPixelFormat(dc_))
        return;
    context_ = wglCreateContext(dc_);
    if (context_ && !makeCurrent()) {
        wglDeleteContext(context_);
        context_ = nullptr;
    }
}

GlTestWindow& GlTestWindow::shared()
{
    static GlTestWindow window(64, 64);
    return window;
}

GlTestWindow::~GlTestWindow()
{
    if (context_) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context_);
    }
    if (dc_)
        ReleaseDC(window_, dc_);
    if (window_)
        DestroyWindow(window_);
}

bool GlTestWindow::makeCurrent() const
{
    return wglMakeCurrent(dc_, context_) != FALSE;
}

uint32_t GlTestWindow::pixel(int x, int y) const
{
    unsigned char rgb[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
}
