#pragma once
#include "framework/Window.h"

#include <memory>

#include "config/DibPicture.h"

// The control panel's preview: a child window filling the given area with the
// still picture, unscaled at its own size and stretched at any other. No GL, no
// timer, no input. Deletes itself once its window is gone.
class PreviewWindow : public Window {
public:
    // False when the parent is missing or no window, or the picture does not load.
    virtual bool create(HWND parent);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A window that failed during its creation is gone before create returns; the
    // caller then deletes the object, so only a created window deletes itself.
    void postNcDestroy() override
    {
        if (created_)
            delete this;
    }

private:
    LRESULT onCreate(WPARAM wParam, LPARAM lParam);
    LRESULT onPaint(WPARAM wParam, LPARAM lParam);
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam) { return 1; }
    static const MessageEntry<PreviewWindow> messageMap[];

    std::unique_ptr<DibPicture> picture_;
    bool created_ = false;
};
