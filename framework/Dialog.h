#pragma once
#include "framework/Window.h"

#include <cstddef>

// A dialog from a template in the program's resources, modal or modeless, bound
// to its object through the dialog's init parameter. Subclasses handle messages
// in dialogProc through a table of handlers by meaning and chain to their base
// for the rest, so OK and Cancel keep ending a modal dialog with their identifier.
// Live modeless dialogs get keyboard navigation from the application's loop.
class Dialog : public Window {
public:
    INT_PTR runModal(UINT templateId, HWND owner);
    bool createModeless(UINT templateId, HWND parent);
    // A modeless child page of parent, moved to rect (parent's client coordinates).
    bool createPage(UINT templateId, HWND parent, const RECT& rect);
    void endDialog(INT_PTR result);
    bool isModal() const { return modal_; }
    HWND item(int id) const { return GetDlgItem(hwnd(), id); }

    // Gives the message to the live modeless dialog it belongs to; true when that took it.
    static bool routeKeyboard(MSG& message);

    // One row of a dialog's handler table: a message, a command of one control with
    // one notification code, or a WM_NOTIFY of one control with one code.
    template <class T> struct Handler {
        UINT message;
        UINT id;
        UINT code;
        LRESULT (T::*onMessage)(WPARAM, LPARAM);
        void (T::*onCommand)();
        LRESULT (T::*onNotify)(const NMHDR&);

        static Handler forMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
        {
            return {message, 0, 0, handler, nullptr, nullptr};
        }
        static Handler forCommand(UINT id, UINT code, void (T::*handler)())
        {
            return {WM_COMMAND, id, code, nullptr, handler, nullptr};
        }
        static Handler forNotify(UINT id, UINT code, LRESULT (T::*handler)(const NMHDR&))
        {
            return {WM_NOTIFY, id, code, nullptr, nullptr, handler};
        }
    };

protected:
    // The dialog procedure: a result as dialogs return it (see dialogResult).
    virtual INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs once the controls exist; true lets the system set the focus.
    virtual BOOL onInitDialog() { return TRUE; }
    virtual void onOK();
    virtual void onCancel();
    // Runs as the window goes; the dialog manager's own destroy processing follows.
    virtual void onDestroy() {}

    // Finds the row of a message in a table and runs it; true when one did.
    template <class T, std::size_t N>
    bool handle(const Handler<T> (&table)[N], UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
    {
        for (const Handler<T>& row : table) {
            if (row.message != message)
                continue;
            T* self = static_cast<T*>(this);
            if (message == WM_COMMAND && row.onCommand) {
                if (LOWORD(wParam) != row.id || HIWORD(wParam) != row.code)
                    continue;
                (self->*row.onCommand)();
                result = dialogResult(message, 0);
                return true;
            }
            if (message == WM_NOTIFY && row.onNotify) {
                const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
                if (header.idFrom != row.id || header.code != row.code)
                    continue;
                result = dialogResult(message, (self->*row.onNotify)(header));
                return true;
            }
            if (row.onMessage) {
                result = dialogResult(message, (self->*row.onMessage)(wParam, lParam));
                return true;
            }
        }
        return false;
    }

    // A handled message's value as the dialog procedure returns it: directly for the
    // few messages that take it so, otherwise through DWLP_MSGRESULT with TRUE.
    INT_PTR dialogResult(UINT message, LRESULT value);

private:
    friend struct DialogRouting;
    bool modal_ = false;
};
