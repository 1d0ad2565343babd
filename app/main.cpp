#include <windows.h>

#include "app/ScreensaverApp.h"
#include "render/PerformanceCounter.h"
#include "render/WindowsSceneHost.h"
#include "scene/Scene.h"

namespace {
// Process-wide objects, constructed in this order before the application starts
// and destroyed in reverse after it ends.
PerformanceCounter performanceCounter;
SceneClock sceneClock(performanceCounter);
WindowsSceneHost sceneHost;
Scene scene(sceneClock, sceneHost);
ScreensaverApp application(scene);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return application.run();
}
