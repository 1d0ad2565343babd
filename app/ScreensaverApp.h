#pragma once
#include <windows.h>

#include "framework/Application.h"

class Scene;
class WindowsSceneHost;

// Turns the command line into a run mode and creates that mode's main window,
// which it owns until the run is over.
class ScreensaverApp : public Application {
public:
    ScreensaverApp(Scene& scene, WindowsSceneHost& sceneHost) : scene_(scene), sceneHost_(sceneHost) {}

protected:
    bool start() override;
    int exit() override;

private:
    bool startConfigure();
    bool startFullScreen();
    bool startPreview();
    bool startEmbeddedPage(const std::string& arguments);

    Scene& scene_;
    WindowsSceneHost& sceneHost_;
};
