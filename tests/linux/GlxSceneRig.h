#pragma once
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <vector>

#include "scene/SceneHost.h"

// The platform as the Linux program gives it to the scene, with the pack read from
// its file; failures are counted and written to stderr.
struct GlxSceneHost : SceneHost {
    std::vector<char> pack;
    int failures = 0;

    // The pack file's bytes; false when it cannot be read or is empty.
    bool readPack(const char* path);
    void showError(const char* text, unsigned) override;
    void requestQuit() override { ++failures; }
    uint32_t tickCount() override { return 12345; }
    PackBytes packBytes() override { return {pack.data(), pack.size()}; }
    std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind) override;
    GlProcLoader glProcLoader() override;
};

// A mapped double-buffered window with a depth and stencil buffer like the Windows
// test window's, its context current. The connection stays open until the process
// ends: closing it unloads Mesa's driver, whose own allocations LeakSanitizer would
// then report with no library name to suppress them by.
struct GlxWindow {
    Display* display = XOpenDisplay(nullptr);
    Window window = 0;
    GLXContext context = nullptr;

    GlxWindow() = default;
    GlxWindow(const GlxWindow&) = delete;
    GlxWindow& operator=(const GlxWindow&) = delete;
    ~GlxWindow();
    bool open(int width, int height);
};

// Reads the pack into host and opens window at that size; says on stderr what failed.
bool openRig(GlxSceneHost& host, const char* packPath, GlxWindow& window, int width, int height);
