#pragma once
#include <cstdint>

#include "config/DisplayModeList.h"
#include "config/Settings.h"

// Item data of the single combo entry that shows the stored mode before any enumeration.
const intptr_t kStoredModeEntry = -2;

// The settings page's display-mode choice into the record: no selection or an
// unknown entry keeps the desktop's mode, the stored-mode entry changes nothing,
// an enumerated row gives its width, height and depth.
void applyModeChoice(Settings& settings, bool selected, intptr_t itemData, const DisplayModeList& modes);

// "Restore Defaults": the page's defaults, the random start kept as stored.
void restoreDefaults(Settings& settings);
