#include "config/ProgressDialog.h"

#include <commctrl.h>

#include "resources/DialogIds.h"

bool ProgressDialog::create(HWND owner)
{
    return createModeless(IDD_PROGRESS, owner);
}

void ProgressDialog::show()
{
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
}

INT_PTR ProgressDialog::end()
{
    const INT_PTR result = cancelled_ ? IDCANCEL : IDOK;
    EndDialog(hwnd(), result);
    return result;
}

BOOL ProgressDialog::onInitDialog()
{
    cancelled_ = 0;
    return TRUE;
}

void ProgressDialog::onCancel()
{
    if (cancelled_)
        return;
    cancelled_ = 1;
    EnableWindow(item(IDCANCEL), FALSE);
}

void ProgressDialog::setStatus(const char* text)
{
    SetDlgItemTextA(hwnd(), IDC_PROGRESS_STATUS, text);
}

void ProgressDialog::setPercent(int percent)
{
    SendDlgItemMessageA(hwnd(), IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendDlgItemMessageA(hwnd(), IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void ProgressDialog::setLocation(const char* text)
{
    SetDlgItemTextA(hwnd(), IDC_PROGRESS_LOCATION, text);
}

// Only the dialog's own messages, untranslated: the operation is still running and
// other windows wait for it to end.
void ProgressDialog::processPendingMessages()
{
    MSG message;
    while (hwnd() && PeekMessageA(&message, hwnd(), 0, 0, PM_NOREMOVE)) {
        if (GetMessageA(&message, hwnd(), 0, 0) <= 0)
            break;
        DispatchMessageA(&message);
    }
}
