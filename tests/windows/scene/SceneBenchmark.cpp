// Frame rate of the scene in a 1024 x 768 window along the settled tour (the camera
// past its fly-in, scene time stepped by a fifteenth of a second per frame), the time
// from start to the first drawn frame, the cost of the lens flares' depth reads and of
// composing the whole cloud surface.
// A command, not a test: it prints figures and asserts nothing about time.
#include <windows.h>

#include <cmath>
#include <cstdio>

#include <GL/gl.h>
#include <GL/glu.h>

#include "tests/windows/common/GlTestWindow.h"
#include "SceneHarness.h"
#include "scene/Angles.h"
#include "scene/CloudCompositor.h"
#include "scene/LensFlarePass.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kFrames = 60;
constexpr double kTourStart = 7150.0;

double seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Milliseconds for 64 single-pixel depth reads once the frame has finished.
double depthReadsMs()
{
    glFinish();
    const double start = seconds();
    GLfloat depth;
    for (int k = 0; k < 64; ++k) {
        const double a = k * pi / 32.0;
        glReadPixels(int(512 + 15 * std::cos(a)), int(384 + 11 * std::sin(a)), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT,
                     &depth);
    }
    return (seconds() - start) * 1000.0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* label = argc > 1 ? argv[1] : "scene";
    const double begin = seconds();
    GlTestWindow window(kWidth, kHeight);
    if (!window.ready()) {
        std::printf("no GL window\n");
        return 1;
    }
    ManualCounter counter;
    SceneClock clock(counter);
    RecordingHost host;
    Scene scene(clock, host);
    Settings settings = fixedStartSettings(0, 1);
    scene.init(settings, kWidth, kHeight);
    scene.resize(kWidth, kHeight);
    scene.drawFrame();
    window.swap();
    glFinish();
    const double firstFrame = seconds() - begin;

    double reads = 0, flares = 0, composition = 0;
    const double start = seconds();
    for (int i = 0; i < kFrames; ++i) {
        const double T = kTourStart + i / 15.0;  // rate 2: the clock's ticks for T
        counter.ticks = static_cast<int64_t>((T - 7000.0) / 2.0 * ManualCounter::ticksPerSecond);
        scene.drawFrame();
        if (i % 10 == 0) {
            reads += depthReadsMs();
            glFinish();
            const double before = seconds();
            drawLensFlares({400.0, 400.0, 30.0}, scene.textures(), scene.glowProfile());
            glFinish();
            flares += (seconds() - before) * 1000.0;
        }
        window.swap();
    }
    glFinish();
    const double elapsed = seconds() - start;
    // Each composition waits for the last: a surface composed again before anything
    // samples it would let the renderer drop the earlier one's work.
    for (int i = 0; i < kFrames / 10 && scene.compositorReady(); ++i) {
        const double composeStart = seconds();
        scene.compositor()->compose(kTourStart + i, wholeSurface(2048, 1024));
        glFinish();
        composition += (seconds() - composeStart) * 1000.0;
    }
    std::printf("%s: live surface %s, first frame after %.0f ms, %.1f frames/s over %d frames "
                "(%.1f ms each), 64 depth reads %.3f ms, flare pass %.3f ms, whole-surface composition %.1f ms\n",
                label, scene.compositorReady() ? "on" : "off", firstFrame * 1000.0, kFrames / elapsed, kFrames,
                elapsed * 1000.0 / kFrames, reads / (kFrames / 10), flares / (kFrames / 10),
                composition / (kFrames / 10));
    scene.shutdown();
    return 0;
}
