#pragma once
#include "scene/SceneHost.h"

// The scene's platform: message boxes owned by the main window, the posted quit,
// the system tick count, the program's RFILE pack, framebuffer objects and pbuffers.
class WindowsSceneHost : public SceneHost {
public:
    void showError(const char* text, unsigned iconKind) override;
    void requestQuit() override;
    uint32_t tickCount() override;
    PackBytes packBytes() override;
    std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind) override;
    GlProcLoader glProcLoader() override;
    // On every core: pictures decode in parallel.
    void runEach(int count, void (*work)(void* context, int index), void* context) override;
    // As a start-up mark.
    void startupPhase(const char* phase) override;
};
