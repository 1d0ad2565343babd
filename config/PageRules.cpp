#include "config/PageRules.h"

void applyModeChoice(Settings& settings, bool selected, intptr_t itemData, const DisplayModeList& modes)
{
    if (selected && itemData == kStoredModeEntry)
        return;
    if (!selected || itemData < 0 || static_cast<size_t>(itemData) >= modes.rows().size()) {
        settings.currentVideomode = 1;
        return;
    }
    const DisplayModeEntry& row = modes.rows()[static_cast<size_t>(itemData)];
    settings.xResolution = row.width;
    settings.yResolution = row.height;
    settings.colorDepth = row.bitsPerPixel;
}

void restoreDefaults(Settings& settings)
{
    settings.xResolution = 1024;
    settings.yResolution = 768;
    settings.colorDepth = 16;
    settings.currentVideomode = 1;
    // Unlike a record never stored (40): the page's own middle speed.
    settings.animationSpeed = 50;
    settings.camMode = 0;
    settings.nightSide = 1;
    settings.demoMode = 0;
}
