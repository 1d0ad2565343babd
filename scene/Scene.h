#pragma once
#include <memory>

#include "assets/ResourcePack.h"
#include "config/Settings.h"
#include "scene/Camera.h"
#include "scene/MoonPass.h"
#include "scene/GlowProfile.h"
#include "scene/NightPlan.h"
#include "scene/RingPass.h"
#include "scene/PlanetMesh.h"
#include "scene/SceneBuffers.h"
#include "scene/SceneClock.h"
#include "scene/SceneHost.h"
#include "scene/SceneTextures.h"
#include "scene/StarField.h"
#include "scene/SunPass.h"
#include "scene/SurfaceRegion.h"

class CloudCompositor;
class PictureBatch;

// Where the live surface is composed: the first target of the list that can be
// made; with none, or Static, the planet shows its plain surface picture.
enum class SurfacePath { Automatic, FramebufferOnly, PbufferOnly, Static };

// The world of the screensaver: a camera tour around the ringed planet Zandor.
// init, resize, drawFrame and shutdown run with the window's rendering context
// current: shutdown deletes every GL object the scene made, before the host deletes
// the context. The destructor makes no GL calls.
class Scene {
public:
    Scene(SceneClock& clock, SceneHost& host);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene();

    // Before init; the program keeps Automatic (a framebuffer object, else a pbuffer).
    void chooseSurfacePath(SurfacePath path) { surfacePath_ = path; }
    // Optional, before init and without a GL context: opens the pack and lets the host's
    // helpers start decoding the pictures, so that this overlaps what the host does
    // before init (making its context). init does it when it was not done.
    void prepare();
    void init(const Settings& settings, int width, int height);
    void resize(int width, int height);
    void drawFrame();
    void shutdown();

    double sceneTime() const { return sceneTime_; }
    const SceneTextures& textures() const { return textures_; }
    const Camera& camera() const { return camera_; }
    bool compositorReady() const;
    // Null before init and after shutdown.
    CloudCompositor* compositor() { return compositor_.get(); }
    const NightPlan& nightPlan() const { return nightPlan_; }
    const GlowProfile& glowProfile() const { return glowProfile_; }
    size_t starCount() const { return stars_.count(); }
    int32_t planetTriangles() const { return planet_.triangleCount(); }

private:
    void fail(const char* message, unsigned icon);
    void loadAssets(ResourcePack& pack);
    bool loadTextures();
    void loadShape(ResourcePack& pack);
    void loadStaticSurface(ResourcePack& pack);
    void loadStars(ResourcePack& pack);
    void setFixedState();
    void setProjection(int width, int height);
    void setLight0();
    void findNightPlan(const TextureUnits& units);
    void chooseStartTime();
    void createCompositor();
    void finishLoading();
    bool stopLoading();
    void moveCamera(double T);
    void drawPlanetFrame(double T);
    void composeSurface(double T);
    PlanetView planetView(double T) const;

    SceneClock& clock_;
    SceneHost& host_;
    Settings settings_;
    double sceneTime_ = 7000.0;
    double aspect_ = 1.0;
    int viewportHeight_ = 1;
    Camera camera_;
    SceneTextures textures_;
    PlanetMesh planet_;
    NightPlan nightPlan_;
    GlowProfile glowProfile_;
    StarField stars_;
    RingPass rings_;
    MoonPass moons_;
    SunPass sun_;
    SceneBuffers sceneBuffers_;
    SurfacePath surfacePath_ = SurfacePath::Automatic;
    bool picturesLoaded_ = false;
    // From prepare to the end of init.
    ResourcePack pack_;
    bool packOpen_ = false;
    bool stopped_ = false;
    std::unique_ptr<PictureBatch> pictures_;
    std::unique_ptr<CloudCompositor> compositor_;
};
