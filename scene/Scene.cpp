#include "scene/Scene.h"

#include "scene/GlHeaders.h"

Scene::Scene(SceneClock& clock, SceneHost& host) : clock_(clock), host_(host) {}

void Scene::init(const Settings& settings, int width, int height)
{
    settings_.copyFrom(settings);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    resize(width, height);
    clock_.start(sceneTime_, animationRate(settings_.animationSpeed));
}

void Scene::resize(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
}

void Scene::drawFrame()
{
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    sceneTime_ = clock_.now();
}

void Scene::shutdown() {}
