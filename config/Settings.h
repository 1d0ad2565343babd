#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "family/FamilyEntry.h"

// The persisted configuration, a plain value that copies whole: the full-screen
// window, the scene and the settings page each hold their own. SettingsStore is its
// home in the registry.
struct Settings {
    int32_t xResolution = 1024;
    int32_t yResolution = 768;
    int32_t colorDepth = 16;
    int32_t currentVideomode = 1;
    int32_t randomCameraStart = 1;
    int32_t animationSpeed = 40;
    int32_t camMode = 0;
    int32_t nightSide = 1;
    int32_t demoMode = 0;
    std::string installPath;
    std::vector<FamilyEntry> familyList;
};
