#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "tests/common/ManualCounter.h"
#include "tests/windows/common/GlTestWindow.h"
#include "render/WindowsSceneHost.h"
#include "scene/Scene.h"
#include "scene/TourCamera.h"

// Records what the scene asks of the platform; the pack is the test program's RFILE IDR_RESOURCE_PACK.
struct RecordingHost : WindowsSceneHost {
    std::vector<std::string> messages;
    int quitRequests = 0;
    void showError(const char* text, unsigned) override { messages.push_back(text); }
    void requestQuit() override { ++quitRequests; }
    uint32_t tickCount() override { return 12345; }
    // Loading stops at this check of the scene's (the first is 0); never when negative.
    int stopLoadingAt = -1;
    int loadingChecks = 0;
    bool loadingStopped() override { return stopLoadingAt >= 0 && loadingChecks++ >= stopLoadingAt; }
    void startupPhase(const char*) override {}
};

// The view a frame was drawn with, for predicting where things land on screen.
struct ViewMatrices {
    double modelView[16];
    double projection[16];
    int viewport[4];

    bool project(Vec3 p, Vec3& window) const;
    // The ray through the middle of pixel (x, y): origin on the near plane, unit direction.
    void pixelRay(int x, int y, Vec3& origin, Vec3& direction) const;

    // Calls visit(x, y, origin, direction) for the ray of every pixel of a width x height frame.
    template <class Visit> void forEachPixelRay(int width, int height, Visit visit) const
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                Vec3 origin, direction;
                pixelRay(x, y, origin, direction);
                visit(x, y, origin, direction);
            }
    }
};

// Distance along the ray to the flattened planet (x^2 + y^2 + (z / 0.93)^2 = 1), or -1.
double planetHit(Vec3 origin, Vec3 direction);

// Outward surface normal of the flattened planet at p.
Vec3 planetNormal(Vec3 p);

// A scene in its own GL window, driven at chosen scene times.
class SceneRig {
public:
    static constexpr int width = 640;
    static constexpr int height = 480;

    explicit SceneRig(const Settings& settings, SurfacePath path = SurfacePath::Automatic, int stopLoadingAt = -1);
    ~SceneRig();

    bool ready() const { return window_.ready(); }
    Scene& scene() { return *scene_; }
    RecordingHost& host() { return host_; }

    // Draws a frame at scene time T (the clock then reads T as well) and reads it back.
    FrameImage renderAt(double T);
    // The view of a camera pose with the scene's projection.
    ViewMatrices viewFor(const CameraPose& pose) const;
    // The tour's pose at T for a clock started at 7000.
    static CameraPose tourAt(double T);

private:
    void setClockTo(double T);

    GlTestWindow window_;
    ManualCounter counter_;
    RecordingHost host_;
    SceneClock clock_;
    std::unique_ptr<Scene> scene_;
    double rate_;
};

// Settings for a reproducible run: start at 7000, speed 50 (rate 2).
Settings fixedStartSettings(int32_t camMode = 0, int32_t nightSide = 1);

// Where frames and the contact sheet go.
std::string frameDirectory();
