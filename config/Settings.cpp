#include "config/Settings.h"

void Settings::copyFrom(const Settings& other)
{
    xResolution = other.xResolution;
    yResolution = other.yResolution;
    colorDepth = other.colorDepth;
    currentVideomode = other.currentVideomode;
    randomCameraStart = other.randomCameraStart;
    animationSpeed = other.animationSpeed;
    camMode = other.camMode;
    nightSide = other.nightSide;
    demoMode = other.demoMode;
    installPath = other.installPath;
    familyList.clear();
}
