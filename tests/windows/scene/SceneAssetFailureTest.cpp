#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SceneHarness.h"

// One program per damaged pack (chosen by SCENE_PACK_CASE): the scene reports what is
// missing, asks to quit where the program cannot go on, and keeps drawing whatever loaded.
namespace {

struct PackCase {
    const char* name;
    std::vector<std::string> messages;
    int quitRequests;
    int moonsLoaded;  // the list stops at the first picture that fails
    bool texturesLoaded;  // the whole picture list
    int32_t triangles;
    size_t stars;
    bool compositor;
};

const PackCase kCases[] = {
    {"no-pack", {"Can't open resource data file."}, 1, 0, false, 0, 0, false},
    {"no-moon2", {"Can't load pTexture."}, 1, 2, false, 0, 9096, true},
    {"no-shape", {"Can't load 3D shape."}, 1, 4, true, 0, 9096, true},
    {"no-stars", {"Can't open stars data file."}, 1, 4, true, 11520, 0, true},
};

const PackCase& thisCase()
{
    for (const PackCase& c : kCases)
        if (std::string(c.name) == SCENE_PACK_CASE)
            return c;
    return kCases[0];
}

TEST(SceneAssetFailure, ReportsAndQuitsAsTheMissingPieceRequires)
{
    const PackCase& expected = thisCase();
    ASSERT_EQ(std::string(expected.name), SCENE_PACK_CASE);
    SceneRig rig(fixedStartSettings());
    ASSERT_TRUE(rig.ready());
    EXPECT_EQ(rig.host().messages, expected.messages);
    EXPECT_EQ(rig.host().quitRequests, expected.quitRequests);
    EXPECT_EQ(rig.scene().planetTriangles(), expected.triangles);
    EXPECT_EQ(rig.scene().starCount(), expected.stars);
    EXPECT_EQ(rig.scene().compositorReady(), expected.compositor);
    const SceneTextures& t = rig.scene().textures();
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(t.flare[i] != 0, expected.moonsLoaded > 0) << "flare " << i;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(t.moon[i] != 0, i < expected.moonsLoaded) << "moon " << i;
    EXPECT_EQ(t.rings != 0, expected.texturesLoaded);
    EXPECT_EQ(t.starGlow != 0, expected.texturesLoaded);
    // The plain surface is made only where no live surface is composed.
    EXPECT_EQ(t.surface != 0, expected.texturesLoaded && !expected.compositor);
}

TEST(SceneAssetFailure, KeepsDrawingWithWhateverLoaded)
{
    SceneRig rig(fixedStartSettings());
    ASSERT_TRUE(rig.ready());
    for (double T : {7000.0, 7150.0, 7300.0}) {
        const FrameImage frame = rig.renderAt(T);
        EXPECT_EQ(frame.rgb.size(), size_t(frame.width) * frame.height * 3);
    }
    EXPECT_DOUBLE_EQ(rig.scene().sceneTime(), 7300.0);
}

}  // namespace
