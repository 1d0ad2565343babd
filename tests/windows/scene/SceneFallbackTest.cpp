#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SceneHarness.h"
#include "SheetEnvironment.h"

// This program's pack lacks "layer_mask11.jpg": the cloud compositor cannot load its
// layers and the planet must fall back to its static surface, without ending the program.
namespace {

testing::Environment* const sheet = testing::AddGlobalTestEnvironment(new SheetEnvironment("static", false));

// Mean spread between the strongest and weakest colour channel over drawn planet pixels.
double colourfulness(const FrameImage& frame)
{
    double spread = 0;
    int n = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (frame.depthAt(x, y) < 1.0f) {
                const uint8_t* p = frame.at(x, y);
                spread += std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]});
                ++n;
            }
    return n ? spread / n : 0.0;
}

TEST(SceneFallback, MissingLayerMaskShowsOneMessageAndNoQuit)
{
    SceneRig rig(fixedStartSettings(3, 0));
    ASSERT_TRUE(rig.ready());
    EXPECT_EQ(rig.host().messages, std::vector<std::string>{"Can't load pTexture."});
    EXPECT_EQ(rig.host().quitRequests, 0);
    EXPECT_FALSE(rig.scene().compositorReady());
    EXPECT_EQ(rig.scene().planetTriangles(), 11520);
    EXPECT_EQ(rig.scene().starCount(), 9096u);
}

TEST(SceneFallback, PlanetShowsTheStaticSurfaceAndStillTurns)
{
    SceneRig rig(fixedStartSettings(3, 0));
    ASSERT_TRUE(rig.ready());
    const FrameImage first = rig.renderAt(7200.0);
    const FrameImage later = rig.renderAt(7260.0);
    first.writePng(frameDirectory() + "static-cammode3-7200.png");
    later.writePng(frameDirectory() + "static-cammode3-7260.png");
    SheetEnvironment::add(first);
    SheetEnvironment::add(later);
    EXPECT_GT(colourfulness(first), 8.0);  // textured, not the untextured white of no surface

    double change = 0;
    int n = 0;
    for (int y = 0; y < first.height; ++y)
        for (int x = 0; x < first.width; ++x)
            if (first.depthAt(x, y) < 1.0f && later.depthAt(x, y) < 1.0f) {
                change += std::fabs(later.brightness(x, y) - first.brightness(x, y));
                ++n;
            }
    ASSERT_GT(n, 20000);
    EXPECT_GT(change / n, 1.0);
}

TEST(SceneFallback, TourFrameWithTheStaticSurface)
{
    SceneRig rig(fixedStartSettings(0, 1));
    ASSERT_TRUE(rig.ready());
    const FrameImage frame = rig.renderAt(7150.0);
    frame.writePng(frameDirectory() + "static-tour-7150.png");
    SheetEnvironment::add(frame);
    int drawn = 0;
    for (float depth : frame.depth)
        drawn += depth < 1.0f;
    EXPECT_GT(drawn, 5000);
}

}  // namespace
