#pragma once
#include "scene/SceneHost.h"

// The scene's platform: message boxes owned by the main window, the posted quit,
// the system tick count.
class WindowsSceneHost : public SceneHost {
public:
    void showError(const char* text, unsigned iconKind) override;
    void requestQuit() override;
    uint32_t tickCount() override;
};
