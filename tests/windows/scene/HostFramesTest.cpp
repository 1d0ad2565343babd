#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "SceneHarness.h"

// The Windows scene's frames at the times the native scene also draws them
// (SAME_PICTURE_TIMES); a comparison test reads both sets afterwards.
namespace {

const char* const kTimes[] = {SAME_PICTURE_TIMES};

// Binary PPM, top row first.
bool writePpm(const FrameImage& frame, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = std::fprintf(file, "P6\n%d %d\n255\n", frame.width, frame.height) > 0;
    for (int y = frame.height - 1; y >= 0 && ok; --y)
        ok = std::fwrite(frame.at(0, y), 1, size_t(frame.width) * 3, file) == size_t(frame.width) * 3;
    return std::fclose(file) == 0 && ok;
}

TEST(HostFrames, WindowsSceneDrawsTheComparedFrames)
{
    // No frame of an earlier run may stand in for one this run failed to draw.
    for (const char* time : kTimes)
        DeleteFileA((std::string("same-picture/frame-") + time + ".ppm").c_str());
    SceneRig rig(fixedStartSettings());
    ASSERT_TRUE(rig.ready());
    ASSERT_TRUE(rig.host().messages.empty());
    CreateDirectoryA("same-picture", nullptr);
    for (const char* time : kTimes) {
        const FrameImage frame = rig.renderAt(std::atof(time));
        EXPECT_TRUE(writePpm(frame, std::string("same-picture/frame-") + time + ".ppm")) << time;
    }
}

}  // namespace
