// Draws the scene natively at fixed scene times and writes each frame as
// frame-TIME.ppm, for comparison with the frames the Windows scene draws under Wine
// at the same times: the same 640x480 frame, start time 7000, speed 50, the tour
// camera and the night side, the program's own pack.
//   scene_frames PACK_FILE OUT_FOLDER TIME...
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene/Scene.h"
#include "tests/common/ManualCounter.h"
#include "tests/linux/GlxSceneRig.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// The back buffer as a binary PPM, top row first.
bool writeFrame(const std::string& path)
{
    std::vector<unsigned char> rgb(size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = std::fprintf(file, "P6\n%d %d\n255\n", kWidth, kHeight) > 0;
    for (int y = kHeight - 1; y >= 0 && ok; --y)
        ok = std::fwrite(&rgb[size_t(y) * kWidth * 3], 1, kWidth * 3, file) == size_t(kWidth) * 3;
    return std::fclose(file) == 0 && ok;
}

int drawFrames(GlxSceneHost& host, const std::string& folder, int count, char** times)
{
    ManualCounter counter;
    SceneClock clock(counter);
    Scene scene(clock, host);
    Settings settings;
    settings.randomCameraStart = 0;
    settings.animationSpeed = 50;
    settings.camMode = 0;
    settings.nightSide = 1;
    const double rate = animationRate(settings.animationSpeed);
    scene.init(settings, kWidth, kHeight);
    scene.resize(kWidth, kHeight);
    int written = 0;
    for (int i = 0; i < count && host.failures == 0; ++i) {
        const double T = std::atof(times[i]);
        counter.ticks = static_cast<int64_t>(std::llround((T - clock.base()) / rate * ManualCounter::ticksPerSecond));
        scene.drawFrame();  // shows the previous time, then reads T
        scene.drawFrame();
        glFinish();
        const std::string path = folder + "/frame-" + times[i] + ".ppm";
        if (!writeFrame(path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            break;
        }
        std::printf("T = %s: %s (%s surface)\n", times[i], path.c_str(), scene.compositorReady() ? "live" : "static");
        ++written;
    }
    scene.shutdown();
    return written == count && host.failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: scene_frames PACK_FILE OUT_FOLDER TIME...\n");
        return 2;
    }
    // No frame of an earlier run may stand in for one this run failed to draw.
    for (int i = 3; i < argc; ++i)
        std::remove((std::string(argv[2]) + "/frame-" + argv[i] + ".ppm").c_str());
    GlxSceneHost host;
    GlxWindow window;
    if (!openRig(host, argv[1], window, kWidth, kHeight))
        return 1;
    return drawFrames(host, argv[2], argc - 3, argv + 3);
}
