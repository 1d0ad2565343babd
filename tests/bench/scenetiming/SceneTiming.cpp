// Times the native scene over the tour from its fixed start (default settings), one
// frame per step of real seconds, in a 1024x768 window; each frame is drawn once to
// reach its time and once more, finished, against the clock. Prints the median and
// the 90th percentile of the frame times and the mean time of each pass (every pass
// finished before the next starts), or, with --each, every frame's time and passes too. Each
// pass's processor time (all the process's threads, the renderer's among them) is
// printed beside it: a figure that other work on the machine hardly changes.
//   scene_timing PACK_FILE [SECONDS [STEP]] [--each]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "scene/Scene.h"
#include "tests/common/ManualCounter.h"
#include "tests/linux/GlxSceneRig.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

double milliseconds()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct PassTime {
    std::string name;
    double wall = 0.0;
    double processor = 0.0;
};

// Finishes each pass and adds its time to the pass's total, in the order passes come.
struct TimingHost : GlxSceneHost {
    std::vector<PassTime> passes;
    std::string frameLine;  // this frame's passes
    double mark = 0.0;
    double processorMark = 0.0;
    bool timing = false;

    void startFrame()
    {
        frameLine.clear();
        glFinish();
        mark = milliseconds();
        processorMark = processorMilliseconds();
    }
    void framePhase(const char* name) override
    {
        if (!timing)
            return;
        glFinish();
        const double now = milliseconds(), processorNow = processorMilliseconds();
        auto pass = std::find_if(passes.begin(), passes.end(), [&](const PassTime& p) { return p.name == name; });
        if (pass == passes.end())
            pass = passes.insert(passes.end(), {name});
        pass->wall += now - mark;
        pass->processor += processorNow - processorMark;
        char part[64];
        std::snprintf(part, sizeof part, " %s %.1f", name, now - mark);
        frameLine += part;
        mark = now;
        processorMark = processorNow;
    }
};

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * values.size()))];
}

int timeFrames(TimingHost& host, double seconds, double step, bool each)
{
    ManualCounter counter;
    SceneClock clock(counter);
    Scene scene(clock, host);
    Settings settings;
    settings.randomCameraStart = 0;
    scene.init(settings, kWidth, kHeight);
    scene.resize(kWidth, kHeight);
    std::vector<double> frames;
    for (double s = 0.0; s <= seconds && host.failures == 0; s += step) {
        counter.ticks = static_cast<int64_t>(s * ManualCounter::ticksPerSecond);
        host.timing = false;
        scene.drawFrame();  // shows the previous time, then reads this one
        host.timing = true;
        host.startFrame();
        const double start = host.mark;
        scene.drawFrame();
        frames.push_back(milliseconds() - start);
        if (each)
            std::printf("%7.1f s %7.2f ms:%s\n", s, frames.back(), host.frameLine.c_str());
    }
    scene.shutdown();
    if (frames.empty())
        return 1;
    const double median = percentile(frames, 0.5), slow = percentile(frames, 0.9);
    std::printf("%zu frames: median %.2f ms (%.1f/s), 90th percentile %.2f ms (%.1f/s)\n", frames.size(), median,
                1000.0 / median, slow, 1000.0 / slow);
    std::printf("  %-12s %9s %9s\n", "pass", "ms", "cpu ms");
    double wall = 0.0, processor = 0.0;
    for (const PassTime& pass : host.passes) {
        std::printf("  %-12s %9.2f %9.2f\n", pass.name.c_str(), pass.wall / frames.size(),
                    pass.processor / frames.size());
        wall += pass.wall;
        processor += pass.processor;
    }
    std::printf("  %-12s %9.2f %9.2f\n", "all", wall / frames.size(), processor / frames.size());
    return host.failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool each = argc > 2 && std::strcmp(argv[argc - 1], "--each") == 0;
    if (each)
        --argc;
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: scene_timing PACK_FILE [SECONDS [STEP]] [--each]\n");
        return 2;
    }
    TimingHost host;
    GlxWindow window;
    if (!openRig(host, argv[1], window, kWidth, kHeight))
        return 1;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 120.0;
    const double step = argc > 3 ? std::atof(argv[3]) : 1.0;
    if (!(seconds >= 0.0 && step > 0.0)) {
        std::fprintf(stderr, "SECONDS must be 0 or more and STEP more than 0\n");
        return 2;
    }
    return timeFrames(host, seconds, step, each);
}
