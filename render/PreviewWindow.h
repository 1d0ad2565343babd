#pragma once
#include "framework/Window.h"

#include <memory>

#include "config/DibPicture.h"

// The control panel's preview: a child window filling the given area with the
// still picture, unscaled at its own size and stretched at any other. No GL, no
// timer, no input.
class PreviewWindow : public Window {
public:
    // False when the parent is missing or no window, or the picture does not load.
    virtual bool create(HWND parent);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    LRESULT onPaint(WPARAM wParam, LPARAM lParam);
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam) { return 1; }
    static const MessageEntry<PreviewWindow> messageMap[];

    std::unique_ptr<DibPicture> picture_;
};
