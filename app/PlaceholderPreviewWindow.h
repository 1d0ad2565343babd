#pragma once
#include "framework/Window.h"

// Stands in for the still-picture preview window until that exists: a dark child
// window filling the preview area.
class PlaceholderPreviewWindow : public Window {
public:
    bool create(HWND parent);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void postNcDestroy() override { delete this; }

private:
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam);
    static const MessageEntry<PlaceholderPreviewWindow> messageMap[];
};
