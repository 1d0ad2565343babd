#pragma once
#include "scene/SceneHost.h"

#include <windows.h>

// The scene's platform: message boxes owned by the window the scene draws in, the
// posted quit, the system tick count.
class WindowsSceneHost : public SceneHost {
public:
    // The window that owns the scene's messages, so that none hides behind it; none
    // while no window shows the scene.
    void setMessageOwner(HWND owner) { owner_ = owner; }

    void showError(const char* text, unsigned iconKind) override;
    void requestQuit() override;
    uint32_t tickCount() override;

private:
    HWND owner_ = nullptr;
};
