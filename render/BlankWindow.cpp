#include "render/BlankWindow.h"

namespace {
// The input the scene window's closing rules judge; pointer positions are handed
// on in the scene window's coordinates, so that movement is measured across
// every monitor from one reference.
struct ForwardedInput {
    UINT message;
    bool carriesPoint;
};

const ForwardedInput kForwardedInput[] = {
    {WM_KEYDOWN, false}, {WM_LBUTTONDOWN, true}, {WM_MBUTTONDOWN, true}, {WM_RBUTTONDOWN, true}, {WM_MOUSEMOVE, true},
};

const DWORD kStyle = WS_POPUP;
// Top-most like the scene window; never activated, kept off the task bar.
const DWORD kExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
}

const Window::MessageEntry<BlankWindow> BlankWindow::messageMap[] = {
    {WM_ERASEBKGND, &BlankWindow::onEraseBackground},
    {WM_SETCURSOR, &BlankWindow::onSetCursor},
    {WM_MOUSEACTIVATE, &BlankWindow::onMouseActivate},
};

bool BlankWindow::create(const RECT& rect)
{
    if (!createEx(kExStyle, defaultClassName(), "", kStyle, rect, nullptr, 0))
        return false;
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

LRESULT BlankWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (forwardInput(message, wParam, lParam, result))
        return result;
    return dispatch(messageMap, message, wParam, lParam);
}

bool BlankWindow::forwardInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const ForwardedInput& input : kForwardedInput) {
        if (input.message != message)
            continue;
        if (input.carriesPoint) {
            POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            MapWindowPoints(hwnd(), sceneWindow_, &point, 1);
            lParam = MAKELPARAM(point.x, point.y);
        }
        result = SendMessageA(sceneWindow_, message, wParam, lParam);
        return true;
    }
    return false;
}

LRESULT BlankWindow::onEraseBackground(WPARAM wParam, LPARAM)
{
    return eraseBlack(wParam);
}

// The scene window decides whether the cursor shows; shown, it is the scene window's.
LRESULT BlankWindow::onSetCursor(WPARAM, LPARAM lParam)
{
    return SendMessageA(sceneWindow_, WM_SETCURSOR, reinterpret_cast<WPARAM>(sceneWindow_), lParam);
}

// A click ends the run through the scene window; it must not activate this one
// first (Wine activates on a click despite WS_EX_NOACTIVATE).
LRESULT BlankWindow::onMouseActivate(WPARAM, LPARAM)
{
    return MA_NOACTIVATE;
}
