#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "render/BlankWindow.h"

// Covers every monitor but the primary with a black window for the length of a
// full-screen run, so that nothing of the desktop shows beside the scene.
class MonitorBlanker {
public:
    MonitorBlanker() = default;
    MonitorBlanker(const MonitorBlanker&) = delete;
    MonitorBlanker& operator=(const MonitorBlanker&) = delete;
    ~MonitorBlanker() { uncover(); }

    // Covers the monitors as they are now, anew on every call; the windows hand
    // their input to sceneWindow.
    void cover(HWND sceneWindow);
    // Destroys every black window.
    void uncover();
    size_t windowCount() const { return windows_.size(); }

private:
    std::vector<std::unique_ptr<BlankWindow>> windows_;
};
