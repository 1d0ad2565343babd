#include <algorithm>
#include <cstdlib>
#include <memory>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "PassWorld.h"
#include "scene/PlanetMath.h"

// The planet and the star field come from compiled lists; they must draw exactly what
// one call per vertex and one draw per star drew.
namespace {

// How far two frames differ: the largest channel difference and how many pixels the
// second one lit at all.
struct Comparison {
    int largestDifference = 0;
    int litPixels = 0;
};

Comparison compare(const FrameImage& expected, const FrameImage& actual)
{
    Comparison result;
    for (size_t i = 0; i < actual.rgb.size(); ++i) {
        const int difference = std::abs(int(actual.rgb[i]) - int(expected.rgb[i]));
        result.largestDifference = std::max(result.largestDifference, difference);
    }
    for (size_t i = 0; i < actual.rgb.size(); i += 3)
        result.litPixels += actual.rgb[i] + actual.rgb[i + 1] + actual.rgb[i + 2] > 0;
    return result;
}

template <class Draw> FrameImage drawnAlone(Draw draw)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    return FrameImage::readBack(SceneRig::width, SceneRig::height);
}

// The turned planet as one call per vertex, the texture shifted back by hand.
void planetPerVertex(const ShapeData& triangles, double turns)
{
    const float f = turnFraction(turns);
    glPushMatrix();
    glRotatef(360.0f * f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_TRIANGLES);
    const ShapeVertex* v = triangles.vertices();
    for (size_t i = 0; i < triangles.vertexCount(); ++i) {
        glNormal3fv(v[i].normal);
        glTexCoord2f(v[i].u + f, v[i].v);
        glVertex3fv(v[i].position);
    }
    glEnd();
    glPopMatrix();
}

// Every star its own size and its own draw, in catalogue order.
void starsOneByOne(const StarField& stars)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
    glScaled(350.0, 350.0, 350.0);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    for (size_t i = 0; i < stars.count(); ++i) {
        const StarAppearance look = starAppearance(stars.stars()[i]);
        glColor4f(look.red, look.green, look.blue, 1.0f);
        glPointSize(look.pointSize);
        glBegin(GL_POINTS);
        glVertex3d(look.direction.x, look.direction.y, look.direction.z);
        glEnd();
    }
    glPopMatrix();
    glPopAttrib();
}

class CompiledDrawing : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        world_ = std::make_unique<PassWorld>();
        if (world_->rig.ready())
            world_->rig.renderAt(kPassTime);
    }
    static void TearDownTestSuite() { world_.reset(); }

    static std::unique_ptr<PassWorld> world_;
};

std::unique_ptr<PassWorld> CompiledDrawing::world_;

TEST_F(CompiledDrawing, PlanetTurnsAndShiftsItsTextureAsPerVertexDrawingDid)
{
    ASSERT_TRUE(world_->rig.ready());
    ASSERT_GT(world_->planetTriangles.vertexCount(), 0u);
    glBindTexture(GL_TEXTURE_2D, world_->textures().surface);
    // Unturned, within the first turn, past a whole turn (wrapped), and the day pass's turn.
    for (double turns : {0.0, 0.37, 1.62, kPassTime / 300.0}) {
        const FrameImage expected = drawnAlone([&] { planetPerVertex(world_->planetTriangles, turns); });
        const FrameImage actual = drawnAlone([&] { world_->planet.drawRotated(turns); });
        const Comparison c = compare(expected, actual);
        EXPECT_EQ(c.largestDifference, 0) << "turns " << turns;
        EXPECT_GT(c.litPixels, 10000) << "turns " << turns;
    }
    // Later frames replay the list: a second draw must still follow the turn.
    const FrameImage expected = drawnAlone([&] { planetPerVertex(world_->planetTriangles, 0.81); });
    const FrameImage actual = drawnAlone([&] { world_->planet.drawRotated(0.81); });
    EXPECT_EQ(compare(expected, actual).largestDifference, 0);
}

TEST_F(CompiledDrawing, StarsInRunsOfOneSizeDrawTheSameSky)
{
    ASSERT_TRUE(world_->rig.ready());
    ASSERT_GT(world_->stars.count(), 0u);
    const FrameImage expected = drawnAlone([&] { starsOneByOne(world_->stars); });
    // The first draw compiles the list, the second replays it.
    for (const char* draw : {"compiling", "replaying"}) {
        const FrameImage actual = drawnAlone([&] { world_->stars.draw(); });
        const Comparison c = compare(expected, actual);
        EXPECT_EQ(c.largestDifference, 0) << draw;
        EXPECT_GT(c.litPixels, 500) << draw;
    }
}

}  // namespace
