#pragma once
#include <cstdint>

struct Settings;

// The screen of the full-screen run as the platform reports it.
struct DesktopMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
};

// Display-mode calls of the full-screen window, injected so the choice can be tested.
class DisplayModePlatform {
public:
    virtual ~DisplayModePlatform() = default;
    virtual DesktopMode desktop() = 0;
    // A temporary full-screen mode change; true when the mode was set.
    virtual bool requestFullScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel) = 0;
    // The client-area size of a full-screen window in the current mode.
    virtual void fullScreenClientSize(int32_t& width, int32_t& height) = 0;
    virtual void saveSettings(const Settings& settings) = 0;
};
