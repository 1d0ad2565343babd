#include "app/PlaceholderSettingsPage.h"

bool PlaceholderSettingsPage::create(const RECT& rect, HWND parent)
{
    if (!createModeless(templateId, parent))
        return false;
    MoveWindow(hwnd(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    return true;
}

LRESULT PlaceholderSettingsPage::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        destroy();
        return 0;
    }
    return Dialog::windowProc(message, wParam, lParam);
}
