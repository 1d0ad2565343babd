#include "DialogTestSupport.h"

#include <commctrl.h>

#include "FrameImage.h"
#include "tests/windows/common/TopDownBitmap.h"

namespace dialog_test {

namespace {
// The page's tab control, slider and progress bar need their classes.
const bool controlsReady = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}();

HHOOK boxHook = nullptr;
std::vector<std::string> boxTexts;

// The static that holds a message box's text.
const int kMessageBoxText = 0xFFFF;

LRESULT CALLBACK answerBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        GetClassNameA(box, className, sizeof className);
        if (std::string(className) == "#32770") {
            char text[512] = {};
            GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
            boxTexts.push_back(text);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}
}

HostWindow::HostWindow(int width, int height)
{
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_POPUP, FALSE);
    hwnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HostWindow::~HostWindow()
{
    if (IsWindow(hwnd))
        DestroyWindow(hwnd);
}

void settle(DWORD milliseconds)
{
    const DWORD started = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - started < milliseconds);
}

MessageBoxWatcher::MessageBoxWatcher()
{
    boxTexts.clear();
    boxHook = SetWindowsHookExA(WH_CBT, answerBoxes, nullptr, GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
}

const std::vector<std::string>& MessageBoxWatcher::texts() const
{
    return boxTexts;
}

Pixels captureClient(HWND window)
{
    Pixels pixels;
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    pixels.width = client.right;
    pixels.height = client.bottom;
    BITMAPINFO info = topDownBitmapInfo(pixels.width, pixels.height);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const unsigned char*>(bits);
    pixels.bgr.resize(size_t(pixels.width) * pixels.height * 3);
    for (size_t i = 0; i < size_t(pixels.width) * pixels.height; ++i)
        for (int c = 0; c < 3; ++c)
            pixels.bgr[i * 3 + c] = source[i * 4 + c];
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool writePng(const Pixels& pixels, const std::string& path)
{
    FrameImage frame;
    frame.width = pixels.width;
    frame.height = pixels.height;
    frame.rgb.resize(pixels.bgr.size());
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const unsigned char* p = pixels.at(x, y);
            unsigned char* q = &frame.rgb[(size_t(pixels.height - 1 - y) * pixels.width + x) * 3];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    return frame.writePng(path);
}

}  // namespace dialog_test
