#include "SheetEnvironment.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "SceneHarness.h"

namespace {

constexpr int kShrink = 4;

bool writePpm(const FrameImage& frame, const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    std::fprintf(f, "P6\n%d %d\n255\n", frame.width, frame.height);
    const bool ok = std::fwrite(frame.rgb.data(), 1, frame.rgb.size(), f) == frame.rgb.size();
    return std::fclose(f) == 0 && ok;
}

bool readPpm(const std::string& path, FrameImage& frame)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return false;
    int max = 0;
    bool ok = std::fscanf(f, "P6 %d %d %d", &frame.width, &frame.height, &max) == 3 && frame.width > 0 &&
              frame.height > 0 && frame.width < 10000 && frame.height < 10000;
    if (ok) {
        std::fgetc(f);
        frame.rgb.resize(size_t(frame.width) * frame.height * 3);
        ok = std::fread(frame.rgb.data(), 1, frame.rgb.size(), f) == frame.rgb.size();
    }
    std::fclose(f);
    return ok;
}

std::vector<std::string> thumbnails()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((frameDirectory() + "thumb-*.ppm").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(frameDirectory() + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

SheetEnvironment* SheetEnvironment::current_ = nullptr;

SheetEnvironment::SheetEnvironment(std::string prefix, bool writesSheet)
    : prefix_(std::move(prefix)), writesSheet_(writesSheet)
{
    current_ = this;
}

void SheetEnvironment::add(const FrameImage& frame)
{
    if (current_ == nullptr)
        return;
    char name[64];
    std::snprintf(name, sizeof name, "thumb-%s-%02d.ppm", current_->prefix_.c_str(), current_->count_++);
    writePpm(frame.shrunk(kShrink), frameDirectory() + name);
}

void SheetEnvironment::TearDown()
{
    if (!writesSheet_)
        return;
    std::vector<FrameImage> frames;
    for (const std::string& path : thumbnails()) {
        FrameImage frame;
        if (readPpm(path, frame))
            frames.push_back(std::move(frame));
    }
    const std::string sheet = frameDirectory() + "contact-sheet.png";
    if (writeContactSheet(frames, 4, sheet))
        std::printf("contact sheet of %zu frames: %s\n", frames.size(), sheet.c_str());
}
