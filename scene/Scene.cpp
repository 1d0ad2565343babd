#include "scene/Scene.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "assets/GlHeaders.h"
#include "assets/ImageLoader.h"
#include "assets/ResourcePack.h"
#include "assets/TextureUpload.h"
#include "scene/CloudCompositor.h"
#include "scene/LensFlarePass.h"
#include "scene/MaskedLayer.h"
#include "scene/PictureBatch.h"
#include "scene/PackMembers.h"
#include "scene/PlanetPass.h"
#include "scene/RingPass.h"
#include "scene/SphereHalo.h"
#include "scene/TourCamera.h"

namespace {

constexpr Vec3 kSunPosition{400.0, 400.0, 30.0};
constexpr double kFlattening = 0.93;
// Normalising (the flattened frame shortens normals) and the surface's binding.
constexpr GLbitfield kPlanetFrameState = GL_ENABLE_BIT | GL_TEXTURE_BIT;
constexpr double kFieldOfView = 45.0;

// One turn per 720 scene seconds.
double planetTurn(double T)
{
    return 0.5 * T;
}

constexpr int kSurfaceWidth = 2048;
constexpr int kSurfaceHeight = 1024;
// Full size, then halves down to 256 x 128, for the parts of the planet seen from afar.
constexpr int kSurfaceLevels = 4;

// Which off-screen targets each surface path tries, in order.
struct SurfacePathRow {
    SurfacePath path;
    int count;
    SurfaceTargetKind kinds[2];
};
const SurfacePathRow kSurfacePaths[] = {
    {SurfacePath::Automatic, 2, {SurfaceTargetKind::Framebuffer, SurfaceTargetKind::Pbuffer}},
    {SurfacePath::FramebufferOnly, 1, {SurfaceTargetKind::Framebuffer}},
    {SurfacePath::PbufferOnly, 1, {SurfaceTargetKind::Pbuffer}},
    {SurfacePath::Static, 0, {}},
};

// The full-size target and the mip levels of its texture, where its kind has them
// (framebuffer objects do, pbuffers do not); empty when the full-size target cannot
// be made.
std::vector<std::unique_ptr<OffscreenTarget>> makeLevels(SceneHost& host, SurfaceTargetKind kind)
{
    std::vector<std::unique_ptr<OffscreenTarget>> levels;
    for (int level = 0; level < kSurfaceLevels; ++level) {
        std::unique_ptr<OffscreenTarget> target =
            level == 0 ? host.makeSurfaceTarget(kind) : levels[0]->makeLevel(level);
        if (!target || !target->create(kSurfaceWidth >> level, kSurfaceHeight >> level)) {
            if (target)
                target->release();
            break;
        }
        levels.push_back(std::move(target));
    }
    return levels;
}

// A picture, or a numbered run of them, and the texture names it fills; with a mask,
// each picture is followed by its mask, which becomes the texture's alpha.
struct TextureRow {
    const char* name;
    const char* mask;
    UploadProfile profile;
    int first, last;
    unsigned* (*slots)(SceneTextures&);  // indexed by the picture's number
};

// The scene's pictures in loading order.
const TextureRow kTextureRows[] = {
    {PackMembers::flare, nullptr, UploadProfile::SpriteClamped, PackMembers::firstFlare, PackMembers::lastFlare,
     [](SceneTextures& t) { return t.flare; }},
    {PackMembers::moon, nullptr, UploadProfile::MipmappedClamped, 0, PackMembers::moonCount - 1,
     [](SceneTextures& t) { return t.moon; }},
    {PackMembers::rings, PackMembers::ringsMask, UploadProfile::MipmappedWithAlpha, 0, 0,
     [](SceneTextures& t) { return &t.rings; }},
    {PackMembers::night, nullptr, UploadProfile::Sprite, 0, 0, [](SceneTextures& t) { return &t.night; }},
    {PackMembers::starGlow, nullptr, UploadProfile::Sprite, 0, 0, [](SceneTextures& t) { return &t.starGlow; }},
};

// Every name of the table is deleted; names never made are 0, which GL ignores.
void deleteTextures(SceneTextures& textures)
{
    glDeleteTextures(sizeof textures.flare / sizeof textures.flare[0], textures.flare);
    glDeleteTextures(sizeof textures.moon / sizeof textures.moon[0], textures.moon);
    for (GLuint* name : {&textures.rings, &textures.surface, &textures.night, &textures.starGlow})
        glDeleteTextures(1, name);
    textures = SceneTextures();
}

// Picture index of the batch into slot, with the mask that follows it as alpha where the
// row has one; false when either did not load.
bool uploadPicture(const TextureRow& row, PictureBatch& pictures, int index, unsigned& slot)
{
    const Image& image = pictures.image(index);
    if (!image.pixels)
        return false;
    if (!row.mask) {
        slot = uploadTexture(image, row.profile);
        return true;
    }
    Image merged = maskedLayer(image, pictures.image(index + 1));
    slot = uploadTexture(merged, row.profile);
    std::free(merged.pixels);  // GL keeps its own copy
    pictures.release(index + 1);
    return slot != 0;
}

// The table's pictures and masks, which come before the compositor's layers in the batch.
int scenePictureCount()
{
    int count = 0;
    for (const TextureRow& row : kTextureRows)
        count += (row.last - row.first + 1) * (row.mask ? 2 : 1);
    return count;
}

}  // namespace

Scene::Scene(SceneClock& clock, SceneHost& host) : clock_(clock), host_(host) {}

// Memory only: shutdown released the GL objects, or they went with their context.
Scene::~Scene() = default;

bool Scene::compositorReady() const
{
    return compositor_ && compositor_->isReady();
}

void Scene::fail(const char* message, unsigned icon)
{
    host_.showError(message, icon);
    host_.requestQuit();
}

// One opening of the pack serves every picture, the mesh, the stars and the layers; the
// scene's pictures come first in the batch, the compositor's layers after them.
void Scene::prepare()
{
    if (pictures_)
        return;
    const PackBytes bytes = host_.packBytes();
    packOpen_ = pack_.openMemory(bytes.data, bytes.size);
    host_.startupPhase("pack");
    pictures_.reset(new (std::nothrow) PictureBatch);
    if (!pictures_)
        return;
    for (const TextureRow& row : kTextureRows)
        for (int n = row.first; n <= row.last; ++n) {
            pictures_->add(row.name, n);
            if (row.mask)
                pictures_->add(row.mask, n);
        }
    CloudCompositor::addPictures(*pictures_);
    if (packOpen_)
        pictures_->start(pack_, host_);
}

void Scene::finishLoading()
{
    pictures_.reset();
    pack_.close();
    packOpen_ = false;
}

void Scene::init(const Settings& settings, int width, int height)
{
    settings_ = settings;
    prepare();
    const bool packOpen = packOpen_ && pictures_;
    if (packOpen) {
        loadAssets(pack_);
        if (!stopLoading()) {
            loadStars(pack_);
            host_.startupPhase("stars");
        }
    } else {
        fail("Can't open resource data file.", SceneHost::ErrorIcon);
    }
    setFixedState();
    TextureUnits units;
    units.find(host_.glProcLoader());
    setProjection(width, height);
    setLight0();
    if (settings_.nightSide != 0)
        findNightPlan(units);
    chooseStartTime();
    if (packOpen && !stopLoading())
        createCompositor();
    host_.startupPhase("composition");
    if (packOpen && picturesLoaded_ && !stopLoading() && !compositorReady())
        loadStaticSurface(pack_);
    finishLoading();
    clock_.start(sceneTime_, animationRate(settings_.animationSpeed));
}

// Once the host stops the loading it stays stopped.
bool Scene::stopLoading()
{
    if (!stopped_)
        stopped_ = host_.loadingStopped();
    return stopped_;
}

void Scene::loadAssets(ResourcePack& pack)
{
    picturesLoaded_ = loadTextures();
    if (stopped_)
        return;
    if (!picturesLoaded_) {
        fail("Can't load pTexture.", SceneHost::ErrorIcon);
        return;
    }
    loadShape(pack);
    host_.startupPhase("mesh");
}

// The plain surface picture, only where no live surface is composed: it is the largest
// picture of the pack, and decoding and uploading it would cost start time and memory
// for nothing.
void Scene::loadStaticSurface(ResourcePack& pack)
{
    Image image;
    if (!ImageLoader::load(image, PackMembers::surface, pack)) {
        fail("Can't load pTexture.", SceneHost::ErrorIcon);
        return;
    }
    textures_.surface = uploadTexture(image, UploadProfile::Mipmapped);
    std::free(image.pixels);
}

// The uploads go in the table's order up to the first picture that could not be
// loaded, each as soon as it is decoded.
bool Scene::loadTextures()
{
    int index = 0;
    for (const TextureRow& row : kTextureRows) {
        for (int n = row.first; n <= row.last; ++n) {
            if (stopLoading())
                return false;
            unsigned& slot = row.slots(textures_)[n];
            if (!uploadPicture(row, *pictures_, index, slot))
                return false;
            if (&slot == &textures_.night)
                nightPlan_.readPicture(pictures_->image(index));
            if (&slot == &textures_.flare[softGlowTexture + 1])
                glowProfile_.readPicture(pictures_->image(index));
            pictures_->release(index);  // GL keeps its own copy
            index += row.mask ? 2 : 1;
        }
    }
    host_.startupPhase("pictures");
    return true;
}

void Scene::loadShape(ResourcePack& pack)
{
    void* bytes = nullptr;
    const size_t length = pack.extract(PackMembers::shape, &bytes);
    const bool loaded = length > 0 && planet_.loadFromMemory(bytes, length);
    std::free(bytes);  // the mesh keeps its own triangles
    if (!loaded)
        fail("Can't load 3D shape.", SceneHost::ErrorIcon);
}

void Scene::loadStars(ResourcePack& pack)
{
    void* text = nullptr;
    const size_t length = pack.extract(PackMembers::stars, &text);
    if (length == 0) {
        fail("Can't open stars data file.", SceneHost::ErrorIcon);
        return;
    }
    if (!stars_.load(static_cast<const char*>(text), length, sceneBuffers_))
        fail("Can't allocate memory for stars data", SceneHost::PlainIcon);
    std::free(text);
}

void Scene::setFixedState()
{
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glShadeModel(GL_SMOOTH);
}

void Scene::setProjection(int width, int height)
{
    if (height == 0)
        height = 1;
    aspect_ = static_cast<double>(width) / height;
    viewportHeight_ = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_FASTEST);
    gluPerspective(kFieldOfView, aspect_, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
}

// Negative ambient darkens the unlit side; the position follows the sun every frame.
void Scene::setLight0()
{
    static const GLfloat ambient[] = {-0.15f, -0.15f, -0.14f, 1.0f};
    static const GLfloat diffuse[] = {2.0f, 2.0f, 2.0f, 1.0f};
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

// With two units the night passes are one, and the planet's lists carry unit 1's
// coordinates for it; the night picture's quiet band, found at loading, is left out.
void Scene::findNightPlan(const TextureUnits& units)
{
    nightPlan_.useUnits(units);
    planet_.setSecondUnit(nightPlan_.units.multiTexCoord2f);
}

void Scene::chooseStartTime()
{
    if (settings_.randomCameraStart == 0)
        return;
    std::srand(host_.tickCount());
    sceneTime_ = static_cast<double>(std::rand());
}

// The first target kind that can be made gets the layers; a layer that cannot be
// loaded is reported once and leaves the static surface.
void Scene::createCompositor()
{
    compositor_.reset(new (std::nothrow) CloudCompositor(host_, host_.glProcLoader()));
    if (!compositor_)
        return;
    for (const SurfacePathRow& row : kSurfacePaths) {
        if (row.path != surfacePath_)
            continue;
        for (int i = 0; i < row.count; ++i) {
            std::vector<std::unique_ptr<OffscreenTarget>> levels = makeLevels(host_, row.kinds[i]);
            if (!levels.empty()) {
                compositor_->create(std::move(levels), *pictures_, scenePictureCount());
                return;
            }
        }
    }
}

void Scene::resize(int width, int height)
{
    if (height == 0)
        height = 1;
    aspect_ = static_cast<double>(width) / height;
    viewportHeight_ = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, aspect_, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
}

void Scene::moveCamera(double T)
{
    const double approach = flyInApproach(clock_.now() - clock_.base());
    const CameraPose pose = tourPose(T, approach);
    camera_.eye = pose.eye;
    camera_.centre = pose.centre;
    camera_.up = pose.up;
}

// Sets normalising and the surface for the spun, flattened planet, then the rim glow in
// the flattened frame; state and both frames are pushed and popped. Rings and moons
// follow in the planet's unspun, unflattened frame.
void Scene::drawPlanetFrame(double T)
{
    glPushAttrib(kPlanetFrameState);
    glPushMatrix();
    glRotated(planetTurn(T), 0.0, 0.0, 1.0);
    glScaled(1.0, 1.0, kFlattening);
    glEnable(GL_NORMALIZE);
    if (compositorReady())
        compositor_->bind();
    else
        glBindTexture(GL_TEXTURE_2D, textures_.surface);
    drawPlanet(planet_, T, settings_.nightSide != 0, textures_, nightPlan_);
    glPopMatrix();
    glPopAttrib();
    host_.framePhase("planet");

    glPushMatrix();
    glScaled(1.0, 1.0, kFlattening);
    drawSunRimGlow({0.0, 0.0, 0.0}, 1.0, kSunPosition, textures_.flare[7], textures_.flare[9]);
    glPopMatrix();
    host_.framePhase("rim glow");

    rings_.draw(textures_);
    host_.framePhase("rings");
    moons_.draw(T, textures_);
    host_.framePhase("moons");
}

// The turning planet as this frame shows it.
PlanetView Scene::planetView(double T) const
{
    PlanetView view;
    view.eye = camera_.eye;
    view.centre = camera_.centre;
    view.up = camera_.up;
    view.fovyDegrees = kFieldOfView;
    view.aspect = aspect_;
    view.turnDegrees = planetTurn(T);
    view.flattening = kFlattening;
    return view;
}

// Only what this frame can sample of the turning planet is composed anew, at each
// level of the surface only where the planet's filtering reads that level.
void Scene::composeSurface(double T)
{
    SurfaceSampling sampling;
    sampling.width = kSurfaceWidth;
    sampling.height = kSurfaceHeight;
    sampling.maximumLevel = compositor_->levelCount() - 1;
    sampling.levelBias = compositor_->levelBias();
    sampling.anisotropy = compositor_->anisotropy();
    sampling.viewportHeight = viewportHeight_;
    const std::vector<SurfaceRegion> regions = sampledSurfaceRegions(planetView(T), sampling);
    for (int level = 0; level < static_cast<int>(regions.size()); ++level)
        if (!regions[level].boxes.empty())
            compositor_->compose(T, regions[level], level);
}

void Scene::drawFrame()
{
    const double T = sceneTime_;
    if (static_cast<uint32_t>(settings_.camMode) <= 2)
        moveCamera(T);
    if (compositorReady())
        composeSurface(T);
    host_.framePhase("composition");
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    host_.framePhase("clear");
    camera_.apply();
    stars_.draw();
    host_.framePhase("stars");
    sun_.draw(kSunPosition, settings_.nightSide != 0);
    host_.framePhase("sun");
    drawPlanetFrame(T);
    drawLensFlares(kSunPosition, textures_, glowProfile_);
    host_.framePhase("flares");
    sceneTime_ = clock_.now();
}

void Scene::shutdown()
{
    finishLoading();
    if (compositor_)
        compositor_->release();
    compositor_.reset();
    deleteTextures(textures_);
    planet_.release();
    stars_.release();
    moons_.release();
    sceneBuffers_.freeAll();
}
