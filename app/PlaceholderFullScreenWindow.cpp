#include "app/PlaceholderFullScreenWindow.h"

const Window::MessageEntry<PlaceholderFullScreenWindow> PlaceholderFullScreenWindow::messageMap[] = {
    {WM_ERASEBKGND, &PlaceholderFullScreenWindow::onEraseBackground},
    {WM_KEYDOWN, &PlaceholderFullScreenWindow::onKeyDown},
    {WM_CLOSE, &PlaceholderFullScreenWindow::onClose},
};

bool PlaceholderFullScreenWindow::create(const RECT& rect, HWND parent)
{
    return createEx(WS_EX_TOPMOST, "#32770", "", WS_POPUP | WS_VISIBLE, rect, parent, 0);
}

LRESULT PlaceholderFullScreenWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatch(messageMap, message, wParam, lParam);
}

LRESULT PlaceholderFullScreenWindow::onEraseBackground(WPARAM wParam, LPARAM)
{
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
}

LRESULT PlaceholderFullScreenWindow::onKeyDown(WPARAM, LPARAM)
{
    PostMessageA(hwnd(), WM_CLOSE, 0, 0);
    return 0;
}

LRESULT PlaceholderFullScreenWindow::onClose(WPARAM, LPARAM)
{
    destroy();
    return 0;
}
