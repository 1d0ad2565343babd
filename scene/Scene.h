#pragma once
#include "config/Settings.h"
#include "scene/SceneClock.h"
#include "scene/SceneHost.h"

// The world of the screensaver: one planet tour drawn with fixed-function OpenGL.
class Scene {
public:
    Scene(SceneClock& clock, SceneHost& host);

    void init(const Settings& settings, int width, int height);
    void resize(int width, int height);
    void drawFrame();
    void shutdown();

    double sceneTime() const { return sceneTime_; }

private:
    SceneClock& clock_;
    SceneHost& host_;
    Settings settings_;
    double sceneTime_ = 7000.0;
};
