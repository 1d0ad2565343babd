#pragma once
#include "framework/Dialog.h"

// Stands in for the product's settings page until that exists: an empty child
// dialog that destroys its own window on a close request.
class PlaceholderSettingsPage : public Dialog {
public:
    static const UINT templateId = 133;
    bool create(const RECT& rect, HWND parent);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
