#pragma once
#include "config/Settings.h"
#include "render/DisplayModePlatform.h"

// Switches the display to the configured mode for the run, or falls back to the
// desktop mode for good when the mode is refused.
class VideoModeChooser {
public:
    explicit VideoModeChooser(DisplayModePlatform& platform) : platform_(platform) {}

    // Returns true when the display mode was changed.
    bool choose(Settings& settings);

private:
    DisplayModePlatform& platform_;
};
