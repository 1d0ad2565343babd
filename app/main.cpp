#include <windows.h>

#include "app/ScreensaverApp.h"
#include "render/PerformanceCounter.h"
#include "render/WindowsSceneHost.h"
#include "scene/Scene.h"

// The program's objects, made here in this order and ended in reverse once the
// run is over; each is handed to those that need it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    PerformanceCounter performanceCounter;
    SceneClock sceneClock(performanceCounter);
    WindowsSceneHost sceneHost;
    Scene scene(sceneClock, sceneHost);
    ScreensaverApp application(scene, sceneHost);
    return application.run();
}
