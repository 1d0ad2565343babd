#pragma once
#include "scene/HelperThreads.h"
#include "scene/SceneHost.h"

#include <windows.h>

// The scene's platform: message boxes owned by the window the scene draws in, the
// posted quit, the system tick count, the program's RFILE pack, framebuffer objects and pbuffers.
class WindowsSceneHost : public SceneHost {
public:
    // The window that owns the scene's messages, so that none hides behind it; none
    // while no window shows the scene.
    void setMessageOwner(HWND owner) { owner_ = owner; }

    void showError(const char* text, unsigned iconKind) override;
    void requestQuit() override;
    uint32_t tickCount() override;
    PackBytes packBytes() override;
    std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind) override;
    GlProcLoader glProcLoader() override;
    // On every core: pictures decode in parallel.
    void startHelpers(bool (*work)(void* context), void* context) override;
    void joinHelpers() override;
    // A close request, a key or a mouse button waits for the main window.
    bool loadingStopped() override;
    // As a start-up mark.
    void startupPhase(const char* phase) override;

private:
    HelperThreads workers_;
    HWND owner_ = nullptr;
};
