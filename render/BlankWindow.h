#pragma once
#include "framework/Window.h"

// A black, top-most, borderless window over one monitor beside the scene's. It is
// never activated, so showing it cannot take the focus from the scene window, and
// it hands every input that may end the run to the scene window as if it had
// arrived there: one set of closing rules for every monitor.
class BlankWindow : public Window {
public:
    explicit BlankWindow(HWND sceneWindow) : sceneWindow_(sceneWindow) {}

    // Covers rect and shows the window without activating it.
    bool create(const RECT& rect);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool forwardInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT onSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT onMouseActivate(WPARAM wParam, LPARAM lParam);
    static const MessageEntry<BlankWindow> messageMap[];

    HWND sceneWindow_;
};
