#pragma once
#include "framework/Window.h"

// A dialog from a template in the program's resources, modal or modeless.
// OK and Cancel end a modal dialog with their identifier.
class Dialog : public Window {
public:
    INT_PTR runModal(UINT templateId, HWND owner);
    bool createModeless(UINT templateId, HWND parent);
    void endDialog(INT_PTR result);
    bool isDialog() const override { return true; }
    bool isModal() const { return modal_; }

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool modal_ = false;
};
