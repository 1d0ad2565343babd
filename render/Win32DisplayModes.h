#pragma once
#include "render/DisplayModePlatform.h"

// The primary screen's metrics and ChangeDisplaySettings.
class Win32DisplayModes : public DisplayModePlatform {
public:
    DesktopMode desktop() override;
    bool requestFullScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel) override;
    void fullScreenClientSize(int32_t& width, int32_t& height) override;
    void saveSettings(const Settings& settings) override;

    // Back to the registry's mode whenever the screen is in another one, whoever
    // changed it; a screen already in that mode is left alone.
    void restoreRegistryMode();
};
