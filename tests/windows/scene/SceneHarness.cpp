#include "SceneHarness.h"

#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>

bool ViewMatrices::project(Vec3 p, Vec3& window) const
{
    return gluProject(p.x, p.y, p.z, modelView, projection, viewport, &window.x, &window.y, &window.z) == GL_TRUE;
}

void ViewMatrices::pixelRay(int x, int y, Vec3& origin, Vec3& direction) const
{
    Vec3 distant;
    gluUnProject(x + 0.5, y + 0.5, 0.0, modelView, projection, viewport, &origin.x, &origin.y, &origin.z);
    gluUnProject(x + 0.5, y + 0.5, 1.0, modelView, projection, viewport, &distant.x, &distant.y, &distant.z);
    direction = normalised(distant - origin);
}

double planetHit(Vec3 origin, Vec3 direction)
{
    constexpr double f = 0.93;
    const Vec3 o{origin.x, origin.y, origin.z / f};
    const Vec3 d{direction.x, direction.y, direction.z / f};
    const double a = dot(d, d), b = 2.0 * dot(o, d), c = dot(o, o) - 1.0;
    const double disc = b * b - 4.0 * a * c;
    if (disc < 0.0)
        return -1.0;
    const double t = (-b - std::sqrt(disc)) / (2.0 * a);
    return t > 0.0 ? t : -1.0;
}

Vec3 planetNormal(Vec3 p)
{
    return normalised({p.x, p.y, p.z / (0.93 * 0.93)});
}

SceneRig::SceneRig(const Settings& settings, SurfacePath path, int stopLoadingAt)
    : window_(width, height), clock_(counter_), rate_(animationRate(settings.animationSpeed))
{
    host_.stopLoadingAt = stopLoadingAt;
    scene_ = std::make_unique<Scene>(clock_, host_);
    scene_->chooseSurfacePath(path);
    if (window_.ready()) {
        scene_->init(settings, width, height);
        scene_->resize(width, height);  // as the window does after init
    }
}

SceneRig::~SceneRig()
{
    scene_->shutdown();
}

void SceneRig::setClockTo(double T)
{
    counter_.ticks = static_cast<int64_t>(std::llround((T - clock_.base()) / rate_ * ManualCounter::ticksPerSecond));
}

FrameImage SceneRig::renderAt(double T)
{
    setClockTo(T);
    scene_->drawFrame();  // shows the previous time, then reads T
    scene_->drawFrame();
    glFinish();
    return FrameImage::readBack(width, height);
}

ViewMatrices SceneRig::viewFor(const CameraPose& pose) const
{
    ViewMatrices view;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, double(width) / height, 0.01, 1000.0);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(pose.eye.x, pose.eye.y, pose.eye.z, pose.centre.x, pose.centre.y, pose.centre.z, pose.up.x, pose.up.y,
              pose.up.z);
    glGetDoublev(GL_MODELVIEW_MATRIX, view.modelView);
    glPopMatrix();
    view.viewport[0] = view.viewport[1] = 0;
    view.viewport[2] = width;
    view.viewport[3] = height;
    return view;
}

CameraPose SceneRig::tourAt(double T)
{
    return tourPose(T, flyInApproach(T - 7000.0));
}

Settings fixedStartSettings(int32_t camMode, int32_t nightSide)
{
    Settings settings;
    settings.randomCameraStart = 0;
    settings.animationSpeed = 50;
    settings.camMode = camMode;
    settings.nightSide = nightSide;
    return settings;
}

std::string frameDirectory()
{
    CreateDirectoryA("scene-frames", nullptr);
    return "scene-frames/";
}
