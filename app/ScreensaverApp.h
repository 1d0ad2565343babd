#pragma once
#include <windows.h>

#include "framework/Application.h"

class Scene;

// Turns the command line into a run mode and creates that mode's main window.
class ScreensaverApp : public Application {
public:
    explicit ScreensaverApp(Scene& scene) : scene_(scene) {}

protected:
    bool start() override;
    int exit() override;

private:
    bool startConfigure();
    bool startFullScreen();
    bool startPreview();
    bool startEmbeddedPage(const std::string& arguments);

    Scene& scene_;
};
