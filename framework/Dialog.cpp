#include "framework/Dialog.h"

namespace {
// The messages reach the dialog through its window procedure; the dialog
// procedure proper only tells the dialog manager that nothing was handled.
INT_PTR CALLBACK passiveDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}
}

INT_PTR Dialog::runModal(UINT templateId, HWND owner)
{
    modal_ = true;
    prepareCreation();
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                                     passiveDialogProc, 0);
    modal_ = false;
    return result;
}

bool Dialog::createModeless(UINT templateId, HWND parent)
{
    modal_ = false;
    prepareCreation();
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                              passiveDialogProc, 0) != nullptr;
}

void Dialog::endDialog(INT_PTR result)
{
    if (modal_)
        EndDialog(hwnd(), result);
    else
        destroy();
}

LRESULT Dialog::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && modal_ && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        endDialog(LOWORD(wParam));
        return 0;
    }
    return defaultProc(message, wParam, lParam);
}
