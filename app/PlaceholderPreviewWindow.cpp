#include "app/PlaceholderPreviewWindow.h"

const Window::MessageEntry<PlaceholderPreviewWindow> PlaceholderPreviewWindow::messageMap[] = {
    {WM_ERASEBKGND, &PlaceholderPreviewWindow::onEraseBackground},
};

bool PlaceholderPreviewWindow::create(HWND parent)
{
    RECT client;
    if (!parent || !IsWindow(parent) || !GetClientRect(parent, &client))
        return false;
    return createEx(0, defaultClassName(), "Preview", WS_CHILD | WS_VISIBLE, client, parent, 0);
}

LRESULT PlaceholderPreviewWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatch(messageMap, message, wParam, lParam);
}

LRESULT PlaceholderPreviewWindow::onEraseBackground(WPARAM wParam, LPARAM)
{
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
}
