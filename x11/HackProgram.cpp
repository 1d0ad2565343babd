#include "x11/HackProgram.h"

#include <poll.h>

#include <malloc.h>
#include <string>

#include "resources/ProductStrings.h"
#include "scene/Scene.h"
#include "scene/SlowFrameCheck.h"
#include "x11/FpsCounter.h"
#include "x11/FpsOverlay.h"
#include "x11/GlxSurface.h"
#include "x11/LoopRules.h"
#include "x11/MonotonicCounter.h"
#include "x11/SignalPipe.h"
#include "x11/X11SceneHost.h"

namespace {

constexpr int kFpsTextSize = 32;

// Waits the delay between frames, waking early for X events or a signal.
void waitBetweenFrames(GlxSurface& surface, const SignalPipe& signals, long delayMicroseconds)
{
    pollfd watched[2] = {{surface.connection(), POLLIN, 0}, {signals.descriptor(), POLLIN, 0}};
    const timespec timeout = delayTimeout(delayMicroseconds);
    ppoll(watched, signals.ready() ? 2 : 1, &timeout, nullptr);
}

// Where the Windows program shows its slow-renderer message box, a warning on stderr;
// the frames go on. The ten frames timed may take the delays asked for besides.
void checkRendererSpeed(SlowFrameCheck& check, X11SceneHost& host)
{
    if (check.frameStarts(check.needsTick() ? host.tickCount() : 0))
        reportError(STR_SLOW_RENDERER);
}

// Frames until something ends the run; false when the window went away under us.
bool runFrames(const HackOptions& options, GlxSurface& surface, Scene& scene, X11SceneHost& host,
               const SignalPipe& signals)
{
    SlowFrameCheck speed(static_cast<uint32_t>(options.delayMicroseconds / 100));
    FpsCounter fps;
    FpsOverlay overlay;
    char fpsText[kFpsTextSize] = "FPS: -";
    for (;;) {
        const SurfaceEvents events = surface.takeEvents();
        if (events.gone)
            return false;
        if (events.quit || signals.signalled())
            return true;
        if (events.resized)
            scene.resize(surface.width(), surface.height());
        checkRendererSpeed(speed, host);
        scene.drawFrame();
        if (options.showFps) {
            if (fps.frame(MonotonicCounter::seconds()))
                fps.format(fpsText, sizeof fpsText);
            overlay.draw(fpsText, surface.width(), surface.height());
        }
        surface.swap();
        waitBetweenFrames(surface, signals, options.delayMicroseconds);
    }
}

// While loading, blocks of a quarter megabyte and more (the decoded pictures, freed once
// uploaded) are mapped apart and go back to the system when freed, instead of staying
// in the heap for as long as the screensaver runs.
void keepBigBlocksApart()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

// What loading left free at the heap's end goes back to the system. From then on the
// heap keeps big blocks too: the driver takes and gives back its upload buffers every
// frame, which mapped apart would be mapped, zeroed and unmapped frame after frame.
void returnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

}  // namespace

int runHack(const HackOptions& options)
{
    keepBigBlocksApart();
    SignalPipe signals;
    GlxSurface surface;
    std::string error;
    if (!surface.open(options, error)) {
        reportError(error.c_str());
        return 1;
    }
    MonotonicCounter counter;
    SceneClock clock(counter);
    X11SceneHost host;
    Scene scene(clock, host);
    scene.init(options.settings, surface.width(), surface.height());
    scene.resize(surface.width(), surface.height());
    returnFreedMemory();
    if (host.quitRequested()) {
        scene.shutdown();
        return 1;
    }
    signals.enterLoop();
    // A window destroyed under us took its drawable; the context's end takes the rest.
    if (!runFrames(options, surface, scene, host, signals))
        return 0;
    scene.shutdown();
    return 0;
}
