#pragma once
#include "scene/SceneHost.h"
#include "scene/HelperThreads.h"

// The scene's platform on Linux: messages on stderr, a quit flag the loop reads,
// the pack linked into the program, framebuffer objects through GLX, helper threads.
class X11SceneHost : public SceneHost {
public:
    void showError(const char* text, unsigned iconKind) override;
    void requestQuit() override { quitRequested_ = true; }
    uint32_t tickCount() override;
    PackBytes packBytes() override;
    std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind) override;
    GlProcLoader glProcLoader() override;
    // On every core: pictures decode in parallel.
    void startHelpers(bool (*work)(void* context), void* context) override { helpers_.start(work, context); }
    void joinHelpers() override { helpers_.join(); }

    // Where the Windows program would quit after a message.
    bool quitRequested() const { return quitRequested_; }

private:
    HelperThreads helpers_;
    bool quitRequested_ = false;
};

// Writes "zandor3d: text" and a line break to stderr.
void reportError(const char* text);
