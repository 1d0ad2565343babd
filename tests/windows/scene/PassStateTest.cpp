#include <memory>
#include <ostream>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "GlStateSnapshot.h"
#include "PassWorld.h"
#include "scene/LensFlarePass.h"
#include "scene/PlanetPass.h"
#include "scene/RingPass.h"
#include "scene/SphereHalo.h"
#include "scene/SunPass.h"

// Every pass of a frame leaves the GL state as it found it, whether it finds the
// scene's own state or one turned away from it in every item.
namespace {

const Vec3 kOrigin{0.0, 0.0, 0.0};

struct PassCase {
    const char* name;
    void (*prepare)(PassWorld&);  // the caller's part of the pass's contract, or null
    void (*run)(PassWorld&);
};

void PrintTo(const PassCase& pass, std::ostream* out)
{
    *out << pass.name;
}

void bindSurface(PassWorld& w)
{
    glBindTexture(GL_TEXTURE_2D, w.textures().surface);
}

const PassCase kPasses[] = {
    {"Stars", nullptr, [](PassWorld& w) { w.stars.draw(); }},
    {"SunAndLights", nullptr, [](PassWorld& w) { w.sun.draw(kSun, true); }},
    {"Planet", bindSurface, [](PassWorld& w) { drawPlanet(w.planet, kPassTime, false, w.textures(), w.nightPlan); }},
    {"PlanetWithNightPasses", bindSurface,
     [](PassWorld& w) { drawPlanet(w.planet, kPassTime, true, w.textures(), w.nightPlan); }},
    {"DarkHalo",
     [](PassWorld& w) {
         glBlendFunc(GL_DST_COLOR, GL_ZERO);
         glBindTexture(GL_TEXTURE_2D, w.textures().flare[10]);
     },
     [](PassWorld&) { drawSphereHalo(kOrigin, 1.055, 2.0, 0.0); }},
    {"RimGlow", nullptr,
     [](PassWorld& w) { drawSunRimGlow(kOrigin, 1.0, kSun, w.textures().flare[7], w.textures().flare[9]); }},
    {"Rings", nullptr, [](PassWorld& w) { w.rings.draw(w.textures()); }},
    {"Moons", nullptr, [](PassWorld& w) { w.moons.draw(kPassTime, w.textures()); }},
    {"LensFlares", nullptr, [](PassWorld& w) { drawLensFlares(kSun, w.textures()); }},
    {"LensFlaresWithGlowDisc", nullptr,
     [](PassWorld& w) { drawLensFlares(kSun, w.textures(), w.rig.scene().glowProfile()); }},
    {"LensFlareSprite", nullptr,
     [](PassWorld& w) { drawFlareSprite(0.1, 0.2, 0.5, 0.3, 0.2, 0.8, w.textures().flare[4], 1.0f, 0.9f, 0.6f); }},
};

class PassState : public testing::TestWithParam<PassCase> {
protected:
    static void SetUpTestSuite()
    {
        world_ = std::make_unique<PassWorld>();
        if (world_->rig.ready())
            world_->rig.renderAt(kPassTime);  // a full depth buffer for the flares' reads
    }
    static void TearDownTestSuite() { world_.reset(); }

    // Runs the pass from the current state; the state afterwards must be the same.
    // Returns how many pixels the pass changed.
    static int runAndCompare(const PassCase& pass, const char* start)
    {
        if (pass.prepare)
            pass.prepare(*world_);
        const FrameImage before = FrameImage::readBack(SceneRig::width, SceneRig::height);
        const GlStateSnapshot state = GlStateSnapshot::read();
        pass.run(*world_);
        const GlStateSnapshot after = GlStateSnapshot::read();
        EXPECT_EQ(after.differencesFrom(state), "") << pass.name << start;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << pass.name << start;
        const FrameImage drawn = FrameImage::readBack(SceneRig::width, SceneRig::height);
        int changed = 0;
        for (size_t i = 0; i < drawn.rgb.size(); i += 3)
            changed += drawn.rgb[i] != before.rgb[i] || drawn.rgb[i + 1] != before.rgb[i + 1] ||
                       drawn.rgb[i + 2] != before.rgb[i + 2];
        return changed;
    }

    static std::unique_ptr<PassWorld> world_;
};

std::unique_ptr<PassWorld> PassState::world_;

TEST_P(PassState, LeavesTheStateItFinds)
{
    ASSERT_TRUE(world_->rig.ready());
    ASSERT_EQ(world_->planet.triangleCount(), 11520);
    ASSERT_EQ(world_->stars.count(), 9096u);
    // The next case starts from the scene's state again; Mesa's attribute stack does not
    // bring back the light switches, so they are put back by hand.
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    // Over a grey frame with the scene's depth, so that whatever the pass draws shows.
    glClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_GT(runAndCompare(GetParam(), " from the scene's state"), 0) << "the pass drew nothing";

    disturbGlState(world_->probeTexture, SceneRig::width, SceneRig::height);
    runAndCompare(GetParam(), " from a disturbed state");
    glPopAttrib();
    glEnable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
}

INSTANTIATE_TEST_SUITE_P(Frame, PassState, testing::ValuesIn(kPasses),
                         [](const testing::TestParamInfo<PassCase>& info) { return info.param.name; });

// Whole frames, composition included, on each off-screen target and on the static
// surface: from the state the scene sets up at start, with the camera standing still
// (its view already loaded), every frame ends in that state.
struct SurfaceCase {
    const char* name;
    SurfacePath path;
    bool composes;
};

void PrintTo(const SurfaceCase& surface, std::ostream* out)
{
    *out << surface.name;
}

const SurfaceCase kSurfaces[] = {
    {"FramebufferObject", SurfacePath::FramebufferOnly, true},
    {"Pbuffer", SurfacePath::PbufferOnly, true},
    {"StaticSurface", SurfacePath::Static, false},
};

class FrameState : public testing::TestWithParam<SurfaceCase> {};

TEST_P(FrameState, EveryFrameEndsInTheStateTheSceneSetsUp)
{
    SceneRig rig(fixedStartSettings(3, 1), GetParam().path);
    ASSERT_TRUE(rig.ready());
    ASSERT_EQ(rig.scene().compositorReady(), GetParam().composes);
    Camera view = rig.scene().camera();
    glLoadIdentity();
    view.apply();
    const GlStateSnapshot start = GlStateSnapshot::read();
    rig.scene().drawFrame();
    EXPECT_EQ(GlStateSnapshot::read().differencesFrom(start), "") << "first frame";
    rig.renderAt(7300.0);
    EXPECT_EQ(GlStateSnapshot::read().differencesFrom(start), "") << "later frames";
}

INSTANTIATE_TEST_SUITE_P(Surface, FrameState, testing::ValuesIn(kSurfaces),
                         [](const testing::TestParamInfo<SurfaceCase>& info) { return info.param.name; });

}  // namespace
