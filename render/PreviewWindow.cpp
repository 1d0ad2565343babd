#include "render/PreviewWindow.h"

#include <new>

#include "framework/DeviceContext.h"
#include "resources/DialogIds.h"

const Window::MessageEntry<PreviewWindow> PreviewWindow::messageMap[] = {
    {WM_CREATE, &PreviewWindow::onCreate},
    {WM_PAINT, &PreviewWindow::onPaint},
    {WM_ERASEBKGND, &PreviewWindow::onEraseBackground},
};

bool PreviewWindow::create(HWND parent)
{
    RECT client;
    if (!parent || !IsWindow(parent) || !GetClientRect(parent, &client))
        return false;
    return createEx(0, defaultClassName(), "Preview", WS_CHILD | WS_VISIBLE, client, parent, 0);
}

LRESULT PreviewWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatch(messageMap, message, wParam, lParam);
}

LRESULT PreviewWindow::onCreate(WPARAM wParam, LPARAM lParam)
{
    if (defaultProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    if (!picture_)
        picture_.reset(new (std::nothrow) DibPicture);
    return picture_ && picture_->load(MAKEINTRESOURCEA(IDB_PREVIEW), true) ? 0 : -1;
}

LRESULT PreviewWindow::onPaint(WPARAM, LPARAM)
{
    PaintDC paint(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    const RECT source = {0, 0, picture_->width(), picture_->height()};
    picture_->draw(paint.get(), client, source);
    return 0;
}
