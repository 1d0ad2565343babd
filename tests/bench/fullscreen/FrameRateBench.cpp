// Frame rate of the full-screen run: the program's own window, scene and resources,
// driven by the frame timer as a /s run is. Prints frames per second and
// milliseconds per frame over a fixed number of frames after a warm-up.
//   fullscreen_bench [frames]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "render/CGLWindow.h"
#include "render/PerformanceCounter.h"
#include "render/WindowsSceneHost.h"

namespace {
const int kWarmUpFrames = 20;
const int kDefaultFrames = 300;

PerformanceCounter performanceCounter;
SceneClock sceneClock(performanceCounter);
WindowsSceneHost sceneHost;
Scene scene(sceneClock, sceneHost);

double seconds(int64_t ticks)
{
    int64_t frequency = 1;
    performanceCounter.frequency(frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency);
}
}

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : kDefaultFrames;
    if (frames <= 0)
        return 2;
    // The loop below is the bench's own; the window's end ends it.
    CGLWindow window(scene, sceneHost);
    window.endLoopWhenGone();
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!window.create(screen, nullptr)) {
        std::printf("the full-screen window could not be created\n");
        return 1;
    }
    int64_t started = 0, ended = 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
        const int drawn = window.frameCount();
        if (started == 0 && drawn >= kWarmUpFrames)
            performanceCounter.read(started);
        if (ended == 0 && drawn >= kWarmUpFrames + frames) {
            performanceCounter.read(ended);
            PostMessageA(window.hwnd(), WM_CLOSE, 0, 0);
        }
    }
    if (ended == 0) {
        std::printf("the run ended before %d frames\n", kWarmUpFrames + frames);
        return 1;
    }
    const double elapsed = seconds(ended - started);
    std::printf("frames: %d (after %d warm-up frames) at %dx%d\n", frames, kWarmUpFrames,
                static_cast<int>(screen.right), static_cast<int>(screen.bottom));
    std::printf("seconds: %.3f\nframes per second: %.1f\nms per frame: %.2f\n", elapsed, frames / elapsed,
                1000.0 * elapsed / frames);
    return 0;
}
