// The live surface composed three ways: the reference sequence (mask pass, then layer
// pass, over the whole surface), the one-pass blend over the visible texels only, and
// into either kind of off-screen target; and what each leaves of the window's state.
#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "GlStateSnapshot.h"
#include "SceneHarness.h"
#include "assets/FramebufferTarget.h"
#include "assets/ResourcePack.h"
#include "assets/RenderTexture.h"
#include "assets/SurfaceSampling.h"
#include "assets/SurfaceTargets.h"
#include "scene/CloudCompositor.h"
#include "scene/SurfaceRegion.h"
#include "tests/windows/common/GlTestWindow.h"
#include "resources/ProductStrings.h"

namespace {

const int kWidth = 2048;
const int kHeight = 1024;

// A compositor over levelCount targets of halving size, as the program makes them.
std::unique_ptr<CloudCompositor> makeCompositor(RecordingHost& host, SurfaceTargetKind kind, LayerPasses passes,
                                                int levelCount = 1, int mostUnits = 0)
{
    auto compositor = std::make_unique<CloudCompositor>(host, glProcAddress);
    compositor->preferLayerPasses(passes, mostUnits);
    std::vector<std::unique_ptr<OffscreenTarget>> levels;
    for (int level = 0; level < levelCount; ++level) {
        levels.push_back(makeSurfaceTarget(kind));
        if (!levels.back() || !levels.back()->create(kWidth >> level, kHeight >> level))
            return nullptr;
    }
    ResourcePack pack;
    if (!pack.open(IDR_RESOURCE_PACK) || !compositor->create(std::move(levels), pack))
        return nullptr;
    return compositor;
}

// The texels of one level of the surface, RGBA rows from texture row 0.
std::vector<uint8_t> readSurface(CloudCompositor& compositor, int level = 0)
{
    std::vector<uint8_t> texels(static_cast<size_t>(kWidth >> level) * (kHeight >> level) * 4, 0);
    glPushAttrib(GL_TEXTURE_BIT);
    compositor.bind();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glPopAttrib();
    return texels;
}

// The largest difference of one colour channel over the texels of region.
int largestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, const SurfaceRegion& region,
                      int width = kWidth)
{
    int largest = 0;
    for (const TexelBox& box : region.boxes) {
        for (int y = box.y; y < box.y + box.height; ++y)
            for (int x = box.x; x < box.x + box.width; ++x)
                for (int c = 0; c < 3; ++c) {
                    const size_t at = (static_cast<size_t>(y) * width + x) * 4 + c;
                    largest = std::max(largest, std::abs(a[at] - b[at]));
                }
    }
    return largest;
}

class CompositionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.ready() && window.makeCurrent()); }
    GlTestWindow& window = GlTestWindow::shared();
    RecordingHost host;
};

// The program's compositor (bands in one unit each or in pairs, four levels, mipmapped
// bands) against the plain two-pass sequence into one full-size target; with all the
// driver's texture units, and with as few as split the strips into two or more passes.
struct UnitUse {
    LayerPasses passes;
    int mostUnits;
};
class CombinedComposition : public CompositionTest, public ::testing::WithParamInterface<UnitUse> {};

TEST_P(CombinedComposition, OverTheVisibleTexelsMatchesTheReferenceSequence)
{
    auto reference = makeCompositor(host, SurfaceTargetKind::Framebuffer, LayerPasses::Two);
    auto fast = makeCompositor(host, SurfaceTargetKind::Framebuffer, GetParam().passes, 4, GetParam().mostUnits);
    ASSERT_TRUE(reference && fast);
    ASSERT_EQ(fast->layerPasses(), GetParam().passes);
    ASSERT_EQ(reference->layerPasses(), LayerPasses::Two);

    // Scene times across the ovals' wrap at both edges, with eyes near and far, over
    // the seam, over a pole and over the equator, looking at the planet's centre.
    const struct {
        double T;
        Vec3 eye;
    } views[] = {
        {0.0, {2.0, 0.0, 0.0}},     {7000.0, {0.0, 3.0, 1.0}}, {7150.0, {-1.3, 0.4, 0.2}},
        {12345.6, {0.2, 0.1, 2.5}}, {36.4, {4.0, -4.0, -1.0}}, {120.0 * (1.0 - 0.4415) / 0.9 + 1.0, {1.5, 0.0, 0.0}},
    };
    int overall = 0;
    for (const auto& view : views) {
        PlanetView planetView;
        planetView.eye = view.eye;
        planetView.up = {0.0, 0.0, 1.0};
        const SurfaceRegion visible = visibleSurfaceRegion(planetView, kWidth, kHeight);
        ASSERT_FALSE(visible.boxes.empty());
        ASSERT_TRUE(reference->compose(view.T, wholeSurface(kWidth, kHeight)));
        ASSERT_TRUE(fast->compose(view.T, visible));
        const int difference = largestDifference(readSurface(*reference), readSurface(*fast), visible);
        EXPECT_LE(difference, 2) << "T = " << view.T;
        overall = std::max(overall, difference);
    }
    std::printf("largest channel difference over the visible texels: %d/255\n", overall);
    reference->release();
    fast->release();
}

// All units (0), then as few as take one and two bands a pass.
INSTANTIATE_TEST_SUITE_P(TextureUnits, CombinedComposition,
                         ::testing::Values(UnitUse{LayerPasses::Merged, 0}, UnitUse{LayerPasses::Merged, 2},
                                           UnitUse{LayerPasses::Merged, 3}, UnitUse{LayerPasses::Combined, 0},
                                           UnitUse{LayerPasses::Combined, 2}, UnitUse{LayerPasses::Combined, 4},
                                           UnitUse{LayerPasses::Combined, 5}));

TEST_F(CompositionTest, TheSmallerLevelsComposeTheSameMergedAsInTwoPasses)
{
    auto reference = makeCompositor(host, SurfaceTargetKind::Framebuffer, LayerPasses::Two, 4);
    auto fast = makeCompositor(host, SurfaceTargetKind::Framebuffer, LayerPasses::Merged, 4);
    ASSERT_TRUE(reference && fast);
    for (int level = 1; level < 4; ++level) {
        const SurfaceRegion whole = wholeSurface(kWidth >> level, kHeight >> level);
        ASSERT_TRUE(reference->compose(7321.0, whole, level));
        ASSERT_TRUE(fast->compose(7321.0, whole, level));
        EXPECT_LE(largestDifference(readSurface(*reference, level), readSurface(*fast, level), whole, kWidth >> level),
                  2)
            << "level " << level;
    }
    EXPECT_FALSE(fast->compose(7321.0, wholeSurface(kWidth, kHeight), 4));
    reference->release();
    fast->release();
}

TEST_F(CompositionTest, ThePbufferAndTheFramebufferObjectComposeTheSameSurface)
{
    auto framebuffer = makeCompositor(host, SurfaceTargetKind::Framebuffer, LayerPasses::Two);
    auto pbuffer = makeCompositor(host, SurfaceTargetKind::Pbuffer, LayerPasses::Two);
    ASSERT_TRUE(framebuffer && pbuffer);
    const SurfaceRegion whole = wholeSurface(kWidth, kHeight);
    ASSERT_TRUE(framebuffer->compose(7000.0, whole));
    ASSERT_TRUE(pbuffer->compose(7000.0, whole));
    EXPECT_LE(largestDifference(readSurface(*framebuffer), readSurface(*pbuffer), whole), 1);
    framebuffer->release();
    pbuffer->release();
}

TEST_F(CompositionTest, TexelsOutsideTheRegionKeepWhatTheyHad)
{
    auto compositor = makeCompositor(host, SurfaceTargetKind::Framebuffer, LayerPasses::Merged);
    ASSERT_TRUE(compositor);
    ASSERT_TRUE(compositor->compose(7000.0, wholeSurface(kWidth, kHeight)));
    const std::vector<uint8_t> before = readSurface(*compositor);
    SurfaceRegion corner;
    corner.boxes.push_back({0, 0, 64, 64});
    ASSERT_TRUE(compositor->compose(7300.0, corner));
    const std::vector<uint8_t> after = readSurface(*compositor);
    SurfaceRegion rest;
    rest.boxes.push_back({64, 0, kWidth - 64, kHeight});
    EXPECT_EQ(largestDifference(before, after, rest), 0);
    EXPECT_GT(largestDifference(before, after, corner), 0);
    compositor->release();
}

TEST_F(CompositionTest, ComposingLeavesTheWindowsStateAsItWas)
{
    for (LayerPasses passes : {LayerPasses::Merged, LayerPasses::Combined, LayerPasses::Two}) {
        for (SurfaceTargetKind kind : {SurfaceTargetKind::Framebuffer, SurfaceTargetKind::Pbuffer}) {
            // A scene-like state that composing must not disturb.
            glViewport(3, 4, 50, 60);
            glEnable(GL_DEPTH_TEST);
            glEnable(GL_LIGHTING);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            glDepthMask(GL_TRUE);
            glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glFrustum(-1, 1, -1, 1, 1, 10);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glTranslated(0.5, 0.25, -3.0);
            glBindTexture(GL_TEXTURE_2D, 0);
            const HGLRC context = wglGetCurrentContext();

            auto compositor = makeCompositor(host, kind, passes);
            ASSERT_TRUE(compositor);
            const GlStateSnapshot before = GlStateSnapshot::read();
            ASSERT_TRUE(compositor->compose(7000.0, wholeSurface(kWidth, kHeight)));
            EXPECT_EQ(wglGetCurrentContext(), context);
            EXPECT_EQ(GlStateSnapshot::read().differencesFrom(before), "");
            compositor->release();
            glDisable(GL_DEPTH_TEST);
            glDisable(GL_LIGHTING);
            glDisable(GL_BLEND);
        }
    }
}

// Every level of the surface composed whole for scene time T.
bool composeEveryLevel(CloudCompositor& compositor, double T)
{
    for (int level = 0; level < compositor.levelCount(); ++level)
        if (!compositor.compose(T, wholeSurface(kWidth >> level, kHeight >> level), level))
            return false;
    return true;
}

// Frames drawn over a surface whose texels outside this frame's regions are stale
// (composed for another time) at every level equal frames over a surface composed
// whole at every level.
TEST(SceneSurfacePath, NoStaleTexelReachesTheScreen)
{
    SceneRig rig(fixedStartSettings());
    ASSERT_TRUE(rig.scene().compositorReady());
    CloudCompositor& compositor = *rig.scene().compositor();
    ASSERT_EQ(compositor.levelCount(), 4);
    for (double T : {7000.0, 7150.0, 7400.0, 9000.0, 15000.0}) {
        ASSERT_TRUE(composeEveryLevel(compositor, T + 3000.0));
        const FrameImage regionOnly = rig.renderAt(T);
        ASSERT_TRUE(composeEveryLevel(compositor, T));
        const FrameImage whole = rig.renderAt(T);
        EXPECT_EQ(regionOnly.rgb, whole.rgb) << "T = " << T;
    }
}

TEST(SceneSurfacePath, TheProgramComposesIntoAFramebufferObjectAndEachPathCanBeChosen)
{
    {
        SceneRig rig(fixedStartSettings());
        ASSERT_TRUE(rig.ready());
        ASSERT_TRUE(rig.scene().compositorReady());
        EXPECT_NE(dynamic_cast<FramebufferTarget*>(rig.scene().compositor()->target()), nullptr);
        EXPECT_EQ(rig.scene().compositor()->layerPasses(), LayerPasses::Merged);
        EXPECT_EQ(rig.scene().compositor()->levelCount(), 4);
        // One texture holds the levels, each pixel reading the nearest with the surface's bias.
        glPushAttrib(GL_TEXTURE_BIT);
        rig.scene().compositor()->bind();
        GLint filter = 0, maximumLevel = 0, smallest = 0;
        GLfloat bias = 0.0f;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, &maximumLevel);
        glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, &bias);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &smallest);
        glPopAttrib();
        EXPECT_EQ(filter, GL_LINEAR_MIPMAP_NEAREST);
        EXPECT_EQ(maximumLevel, 3);
        EXPECT_EQ(bias, surfaceLevelBias);
        EXPECT_EQ(smallest, kWidth >> 3);
    }
    {
        SceneRig rig(fixedStartSettings(), SurfacePath::PbufferOnly);
        ASSERT_TRUE(rig.scene().compositorReady());
        EXPECT_NE(dynamic_cast<RenderTexture*>(rig.scene().compositor()->target()), nullptr);
        EXPECT_EQ(rig.scene().compositor()->levelCount(), 1);
    }
    {
        SceneRig rig(fixedStartSettings(), SurfacePath::Static);
        EXPECT_FALSE(rig.scene().compositorReady());
        EXPECT_TRUE(rig.host().messages.empty());
        // The plain surface picture turns instead.
        const FrameImage first = rig.renderAt(7000.0);
        const FrameImage later = rig.renderAt(7060.0);
        EXPECT_NE(first.rgb, later.rgb);
    }
}

}  // namespace
