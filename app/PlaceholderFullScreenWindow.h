#pragma once
#include "framework/Window.h"

// Stands in for the OpenGL full-screen window until that exists: a top-most,
// borderless black window over the primary screen that closes on a key.
class PlaceholderFullScreenWindow : public Window {
public:
    bool create(const RECT& rect, HWND parent);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void postNcDestroy() override { delete this; }

private:
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT onKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT onClose(WPARAM wParam, LPARAM lParam);
    static const MessageEntry<PlaceholderFullScreenWindow> messageMap[];
};
