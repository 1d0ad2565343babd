#include "framework/Dialog.h"

#include <algorithm>
#include <vector>

namespace {
// The live modeless dialogs of the thread, in creation order.
thread_local std::vector<HWND> modelessDialogs;

bool isModeless(HWND hwnd)
{
    return std::find(modelessDialogs.begin(), modelessDialogs.end(), hwnd) != modelessDialogs.end();
}

void forget(HWND hwnd)
{
    modelessDialogs.erase(std::remove(modelessDialogs.begin(), modelessDialogs.end(), hwnd), modelessDialogs.end());
}

// Messages whose dialog-procedure result is the value itself.
bool returnsValueDirectly(UINT message)
{
    return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
           message == WM_QUERYDRAGICON;
}
}

struct DialogRouting {
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* dialog = static_cast<Dialog*>(Window::fromHandle(hwnd));
        if (!dialog && message == WM_INITDIALOG) {
            dialog = reinterpret_cast<Dialog*>(lParam);
            if (dialog) {
                dialog->bind(hwnd);
                if (!dialog->modal_)
                    modelessDialogs.push_back(hwnd);
            }
        }
        if (message == WM_NCDESTROY)
            forget(hwnd);
        if (!dialog)
            return FALSE;
        INT_PTR result = FALSE;
        try {
            result = dialog->dialogProc(message, wParam, lParam);
        } catch (...) {
            // Nothing may be thrown across the system's dialog procedure.
            result = FALSE;
        }
        if (message == WM_NCDESTROY)
            dialog->windowGone();
        return result;
    }
};

INT_PTR Dialog::runModal(UINT templateId, HWND owner)
{
    modal_ = true;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                                     DialogRouting::procedure, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

bool Dialog::createModeless(UINT templateId, HWND parent)
{
    modal_ = false;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, DialogRouting::procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool Dialog::createPage(UINT templateId, HWND parent, const RECT& rect)
{
    if (!createModeless(templateId, parent))
        return false;
    MoveWindow(hwnd(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    return true;
}

void Dialog::endDialog(INT_PTR result)
{
    if (modal_)
        EndDialog(hwnd(), result);
    else
        destroy();
}

bool Dialog::routeKeyboard(MSG& message)
{
    // The outermost live modeless dialog around the message's window handles the
    // navigation of everything inside it, child dialogs included.
    HWND owner = nullptr;
    for (HWND w = message.hwnd; w; w = GetAncestor(w, GA_PARENT)) {
        if (isModeless(w))
            owner = w;
    }
    return owner && IsDialogMessageA(owner, &message);
}

INT_PTR Dialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return onInitDialog();
    if (message == WM_DESTROY) {
        onDestroy();
        return FALSE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            onOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            onCancel();
            return TRUE;
        }
    }
    return FALSE;
}

void Dialog::onOK()
{
    if (modal_)
        endDialog(IDOK);
}

void Dialog::onCancel()
{
    if (modal_)
        endDialog(IDCANCEL);
}

INT_PTR Dialog::dialogResult(UINT message, LRESULT value)
{
    if (returnsValueDirectly(message))
        return value;
    // A handler may have destroyed the dialog (a page closing itself): nothing to set then.
    if (hwnd())
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, value);
    return TRUE;
}
