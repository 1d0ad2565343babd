#include "GlTestWindow.h"

namespace {

const char* const kClassName = "ZandorSceneTestWindow";

ATOM registerClass()
{
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSA wc = {};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        atom = RegisterClassA(&wc);
    }
    return atom;
}

bool choosePixelFormat(HDC dc)
{
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 24;
    pfd.cStencilBits = 8;
    const int format = ChoosePixelFormat(dc, &pfd);
    return format != 0 && SetPixelFormat(dc, format, &pfd);
}

}  // namespace

GlTestWindow::GlTestWindow(int width, int height) : width_(width), height_(height)
{
    if (registerClass() == 0)
        return;
    window_ = CreateWindowExA(0, kClassName, "scene test", WS_POPUP | WS_VISIBLE, 0, 0, width,
                              height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr)
        return;
    dc_ = GetDC(window_);
    if (!choosePixelFormat(dc_))
        return;
    context_ = wglCreateContext(dc_);
    if (context_ != nullptr && !wglMakeCurrent(dc_, context_)) {
        wglDeleteContext(context_);
        context_ = nullptr;
    }
}

GlTestWindow::~GlTestWindow()
{
    if (context_ != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context_);
    }
    if (dc_ != nullptr)
        ReleaseDC(window_, dc_);
    if (window_ != nullptr)
        DestroyWindow(window_);
}
