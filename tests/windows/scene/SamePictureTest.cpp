#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "PassWorld.h"
#include "scene/PlanetPass.h"
#include "scene/PlanetMath.h"

// The planet and the star field come from compiled lists and the night passes stop at
// a clip plane; they must draw exactly what one call per vertex, one draw per star and
// the whole sphere drew.
namespace {

// How far two frames differ: the largest channel difference, how many pixels differ by
// more than `leeway` in some channel and how many the second one lit at all.
struct Comparison {
    int largestDifference = 0;
    int differingPixels = 0;
    int litPixels = 0;
};

Comparison compare(const FrameImage& expected, const FrameImage& actual, int leeway = 0)
{
    Comparison result;
    for (size_t i = 0; i < actual.rgb.size(); ++i) {
        const int difference = std::abs(int(actual.rgb[i]) - int(expected.rgb[i]));
        result.largestDifference = std::max(result.largestDifference, difference);
    }
    for (size_t i = 0; i < actual.rgb.size(); i += 3) {
        result.litPixels += actual.rgb[i] + actual.rgb[i + 1] + actual.rgb[i + 2] > 0;
        for (size_t k = i; k < i + 3; ++k)
            if (std::abs(int(actual.rgb[k]) - int(expected.rgb[k])) > leeway) {
                ++result.differingPixels;
                break;
            }
    }
    return result;
}

// A channel of the one-pass night may differ from the two passes' by this much (the
// combiners round otherwise); one pixel in a hundred, where the polar fans meet the
// limb, by more.
constexpr int kOnePassLevels = 4;

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

// The two night passes over the whole sphere, vertex by vertex.
void nightSideUnclipped(const ShapeData& triangles, double T, unsigned nightTexture)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushMatrix();
    glDisable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, nightTexture);
    glBlendFunc(GL_ONE, GL_ONE);
    glRotated(2.0 * T, 0.0, 0.0, 1.0);
    glColor3d(0.7, 1.5, 1.5);
    planetPerVertex(triangles, T * 0.02);
    glRotated(-4.0 * T, 0.0, 0.0, 1.0);
    glRotated(180.0, 1.0, 0.0, 0.0);
    glColor3d(1.5, 0.7, 1.5);
    planetPerVertex(triangles, T / 70.0);
    glPopMatrix();
    glPopAttrib();
    glEnable(GL_LIGHT0);  // Mesa's attribute stack leaves the light switches as last set
    glDisable(GL_LIGHT1);
}

// Looks at the planet from `distance` along `direction`, lights placed for that view, in
// the planet's turned and flattened frame.
void lookAtPlanetFrom(Vec3 direction, double distance, SunPass& sun)
{
    const Vec3 eye = normalised(direction) * distance;
    const Vec3 up = std::fabs(normalised(direction).z) > 0.9 ? Vec3{1.0, 0.0, 0.0} : Vec3{0.0, 0.0, 1.0};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, up.x, up.y, up.z);
    sun.draw(kSun, true);
    glRotated(37.0, 0.0, 0.0, 1.0);
    glScaled(1.0, 1.0, 0.93);  // the planet's flattening
    glEnable(GL_NORMALIZE);
    setLitMaterial();
}

class SamePicture : public testing::Test {
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

std::unique_ptr<PassWorld> SamePicture::world_;

TEST_F(SamePicture, PlanetTurnsAndShiftsItsTextureAsPerVertexDrawingDid)
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

// With one unit the two clipped passes draw exactly what the unclipped ones drew, over
// the whole sphere or over the polar caps beyond the picture's quiet band. With two, the magenta texture is read over
// the cyan pass's triangles instead of its own and the tints come from the combiners: a few levels, more only at a few
// pixels.
TEST_F(SamePicture, NightPassesStopWhereNothingIsLeftToAdd)
{
    ASSERT_TRUE(world_->rig.ready());
    ASSERT_TRUE(world_->nightPlan.twoUnits()) << "llvmpipe has units to spare: the one-pass night goes untested";
    ASSERT_GT(world_->nightPlan.quietLatitude, 30.0) << "the aurora keeps to the polar caps";
    PassWorld& w = *world_;
    const Vec3 toSun = normalised(kSun);
    const Vec3 across = normalised(Vec3{toSun.y, -toSun.x, 0.0});  // level, square to the sun
    struct View {
        const char* name;
        Vec3 direction;
        double distance;
    };
    const View views[] = {
        {"day side", toSun, 3.0},
        {"night side", toSun * -1.0, 3.0},
        {"terminator", across, 2.5},
        {"terminator, near", across + toSun * 0.2, 1.3},
        {"over the pole", Vec3{0.0, 0.0, 1.0} + across * 0.3, 3.5},
    };
    int nightPixels = 0;
    for (const View& view : views)
        for (double T : {7000.0, 7828.5}) {
            glPushMatrix();
            lookAtPlanetFrom(view.direction, view.distance, w.sun);
            const FrameImage expected =
                drawnAlone([&] { nightSideUnclipped(w.planetTriangles, T, w.textures().night); });
            const FrameImage twoPasses =
                drawnAlone([&] { drawNightSide(w.planet, T, w.textures().night, NightPlan()); });
            NightPlan capsAlone;
            capsAlone.quietLatitude = w.nightPlan.quietLatitude;
            const FrameImage twoPassesOverCaps =
                drawnAlone([&] { drawNightSide(w.planet, T, w.textures().night, capsAlone); });
            const FrameImage onePass = drawnAlone([&] { drawNightSide(w.planet, T, w.textures().night, w.nightPlan); });
            glPopMatrix();
            const Comparison c = compare(expected, twoPasses);
            EXPECT_EQ(c.largestDifference, 0) << view.name << " at " << T;
            nightPixels += c.litPixels;
            EXPECT_EQ(compare(expected, twoPassesOverCaps).largestDifference, 0) << view.name << " at " << T;
            const Comparison once = compare(expected, onePass, kOnePassLevels);
            EXPECT_LE(once.differingPixels * 100, c.litPixels) << view.name << " at " << T;
            std::printf("%s at %.1f: one pass differs by up to %d, by more than %d in %d of %d lit pixels\n", view.name,
                        T, once.largestDifference, kOnePassLevels, once.differingPixels, c.litPixels);
        }
    EXPECT_GT(nightPixels, 10000) << "the night passes drew too little to compare: " << nightPixels;
}

TEST_F(SamePicture, StarsInRunsOfOneSizeDrawTheSameSky)
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
