#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "assets/GlProcLoader.h"
#include "assets/OffscreenTarget.h"

// A read-only block of bytes that the host keeps for as long as the scene runs.
struct PackBytes {
    const void* data = nullptr;
    size_t size = 0;
};

// What the scene needs from the platform it runs on.
class SceneHost {
public:
    enum IconKind : unsigned { PlainIcon = 0, ErrorIcon = 1 };

    virtual ~SceneHost() = default;
    // A modal message captioned with the application title.
    virtual void showError(const char* text, unsigned iconKind) = 0;
    // Ends the program once the message loop sees the request (quit code 0).
    virtual void requestQuit() = 0;
    // Milliseconds since system start; seeds the random camera start.
    virtual uint32_t tickCount() = 0;
    // The scene's ZIP archive (pictures, mesh, star list); empty when it is missing.
    virtual PackBytes packBytes() = 0;
    // An off-screen target of that kind, not yet created; null where the platform
    // has none of that kind.
    virtual std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind) = 0;
    // Looks up GL entry points in the current context.
    virtual GlProcLoader glProcLoader() = 0;

    // Starts helper threads, as many as the processor has further cores, each calling
    // work(context) until it returns false. The work makes no GL or platform calls. A
    // host without threads starts none: the caller then does all the work itself.
    virtual void startHelpers(bool (*)(void* context), void*) {}
    // Returns once every helper has stopped.
    virtual void joinHelpers() {}
    // Whether the run is ending and loading should stop where it is: the scene then
    // loads nothing more and says nothing. This host never stops it.
    virtual bool loadingStopped() { return false; }
    // A start-up phase is over: pack, decoding, upload, composition. A host may show
    // when, for whoever measures the start; this one ignores it.
    virtual void startupPhase(const char*) {}
    // A pass of the frame has been issued: composition, clear, stars, sun, planet, rim
    // glow, rings, moons, flares. A host may time them; this one ignores it.
    virtual void framePhase(const char*) {}
};
