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
    cancel();
}

void ProgressDialog::cancel()
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

// Every waiting message of the thread, so that this window answers its keys and
// every window repaints while the operation runs (the caller keeps its own window
// from taking input meanwhile). A quit request stays for the main loop and cancels.
void ProgressDialog::processPendingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            cancel();
            return;
        }
        if (hwnd() && IsDialogMessageA(hwnd(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
