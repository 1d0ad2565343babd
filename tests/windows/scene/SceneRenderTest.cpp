#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "SceneHarness.h"
#include "SheetEnvironment.h"
#include "scene/Angles.h"
#include "scene/LensFlarePass.h"
#include "scene/MoonOrbit.h"
#include "scene/RingPass.h"

namespace {

testing::Environment* const sheet = testing::AddGlobalTestEnvironment(new SheetEnvironment("live", true));

const Vec3 kSun{400.0, 400.0, 30.0};
constexpr double kSettled = 7150.0;  // 150 scene seconds in: the fly-in has died away
// The camera a quarter turn from the sun: half lit, half dark, the sun off screen.
constexpr double kSideView = 37.0 * (3.0 * pi / 4.0 + 2.0 * pi * 31.0);

// Pixels the analytic planet covers versus pixels the depth buffer says were drawn.
struct Coverage {
    int predicted = 0;
    int mismatched = 0;
};

Coverage compareDisc(const FrameImage& frame, const ViewMatrices& view)
{
    Coverage c;
    view.forEachPixelRay(frame.width, frame.height, [&](int x, int y, const Vec3& o, const Vec3& d) {
        const bool predicted = planetHit(o, d) > 0.0;
        const bool drawn = frame.depthAt(x, y) < 1.0f;
        c.predicted += predicted;
        c.mismatched += predicted != drawn;
    });
    return c;
}

// Mean brightness of planet pixels facing toward (lit) and away from (dark) the sun.
struct SideBrightness {
    double lit = 0, dark = 0, darkMax = 0;
    int litCount = 0, darkCount = 0;
    int unlitTinted = 0;  // pixels away from the sun clearly bluer than red
};

SideBrightness sides(const FrameImage& frame, const ViewMatrices& view)
{
    SideBrightness s;
    view.forEachPixelRay(frame.width, frame.height, [&](int x, int y, const Vec3& o, const Vec3& d) {
        const double t = planetHit(o, d);
        if (t <= 0.0)
            return;
        const Vec3 p = o + d * t;
        const Vec3 n = planetNormal(p);
        const double facing = dot(n, normalised(kSun - p));
        if (dot(n, d * -1.0) < 0.3)
            return;  // keep clear of the limb and its glows
        if (facing < 0.1)
            s.unlitTinted += frame.at(x, y)[2] > frame.at(x, y)[0] + 12;
        if (facing > 0.4) {
            s.lit += frame.brightness(x, y);
            ++s.litCount;
        } else if (facing < -0.4) {
            s.dark += frame.brightness(x, y);
            s.darkMax = std::max(s.darkMax, frame.brightness(x, y));
            ++s.darkCount;
        }
    });
    if (s.litCount)
        s.lit /= s.litCount;
    if (s.darkCount)
        s.dark /= s.darkCount;
    return s;
}

// First scene time in [from, to) that satisfies the condition, or -1.
double findTime(double from, double to, double step, const std::function<bool(double)>& ok)
{
    for (double T = from; T < to; T += step)
        if (ok(T))
            return T;
    return -1.0;
}

double angleBetween(Vec3 a, Vec3 b)
{
    return std::acos(std::clamp(dot(normalised(a), normalised(b)), -1.0, 1.0));
}

// The sun on screen and clear of the planet (clear = true) or well inside its disc.
bool sunPlacement(SceneRig& rig, double T, bool clear, Vec3& ndc)
{
    const CameraPose pose = SceneRig::tourAt(T);
    const ViewMatrices view = rig.viewFor(pose);
    Vec3 w;
    if (!view.project(kSun, w) || w.z > 1.0)
        return false;
    ndc = {w.x / SceneRig::width * 2 - 1, w.y / SceneRig::height * 2 - 1, w.z};
    if (std::fabs(ndc.x) > 0.7 || std::fabs(ndc.y) > 0.7)
        return false;
    const double radius = std::asin(1.0 / length(pose.eye));
    const double separation = angleBetween(kSun - pose.eye, Vec3{} - pose.eye);
    return clear ? separation > radius * 1.25 + 0.02 : separation < radius * 0.5;
}

double boxDifference(const FrameImage& a, const FrameImage& b, double ndcX, double ndcY)
{
    const int cx = static_cast<int>((ndcX + 1) / 2 * a.width);
    const int cy = static_cast<int>((ndcY + 1) / 2 * a.height);
    double sum = 0;
    int n = 0;
    for (int y = cy - 3; y <= cy + 3; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x)
            if (x >= 0 && y >= 0 && x < a.width && y < a.height) {
                sum += b.brightness(x, y) - a.brightness(x, y);
                ++n;
            }
    return n ? sum / n : 0.0;
}

void keep(const FrameImage& frame, const std::string& name)
{
    frame.writePng(frameDirectory() + name + ".png");
    SheetEnvironment::add(frame);
}

TEST(SceneRender, StartsQuietlyWithEverythingLoaded)
{
    SceneRig rig(fixedStartSettings());
    ASSERT_TRUE(rig.ready());
    EXPECT_TRUE(rig.host().messages.empty());
    EXPECT_EQ(rig.host().quitRequests, 0);
    EXPECT_TRUE(rig.scene().compositorReady());
    EXPECT_EQ(rig.scene().starCount(), 9096u);
    EXPECT_EQ(rig.scene().planetTriangles(), 11520);
    EXPECT_DOUBLE_EQ(rig.scene().sceneTime(), 7000.0);
}

TEST(SceneRender, PlanetDiscAtTheStartTimeSitsWhereTheFlattenedSphereProjects)
{
    SceneRig rig(fixedStartSettings(0, 0));
    ASSERT_TRUE(rig.ready());
    const FrameImage frame = rig.renderAt(7000.0);
    keep(frame, "start-7000");
    const Coverage c = compareDisc(frame, rig.viewFor(SceneRig::tourAt(7000.0)));
    EXPECT_GT(c.predicted, 10);  // a few pixels across, 150 units out
    EXPECT_LE(c.mismatched, c.predicted / 2 + 8);
}

TEST(SceneRender, SettledTourShowsTheDiscLitOnTheSunsSide)
{
    SceneRig rig(fixedStartSettings(0, 0));
    ASSERT_TRUE(rig.ready());
    const FrameImage night = rig.renderAt(kSettled);
    keep(night, "tour-7150");
    const Coverage distant = compareDisc(night, rig.viewFor(SceneRig::tourAt(kSettled)));
    EXPECT_GT(distant.predicted, 5000);
    EXPECT_LT(distant.mismatched, distant.predicted * 0.03);

    const FrameImage frame = rig.renderAt(kSideView);
    keep(frame, "tour-side");
    const ViewMatrices view = rig.viewFor(SceneRig::tourAt(kSideView));
    const Coverage c = compareDisc(frame, view);
    EXPECT_GT(c.predicted, 5000);
    EXPECT_LT(c.mismatched, c.predicted * 0.03);
    const SideBrightness s = sides(frame, view);
    ASSERT_GT(s.litCount, 100);
    ASSERT_GT(s.darkCount, 100);
    EXPECT_GT(s.lit, s.dark + 30.0);
}

TEST(SceneRender, CamModeThreeStaysAtItsStartAndTheSurfaceMoves)
{
    SceneRig rig(fixedStartSettings(3, 0));
    ASSERT_TRUE(rig.ready());
    const FrameImage first = rig.renderAt(7200.0);
    const FrameImage later = rig.renderAt(7260.0);
    keep(first, "cammode3-7200");
    keep(later, "cammode3-7260");
    const Camera& camera = rig.scene().camera();
    EXPECT_DOUBLE_EQ(camera.eye.x, 1.0);
    EXPECT_DOUBLE_EQ(camera.eye.y, 1.0);
    EXPECT_DOUBLE_EQ(camera.eye.z, 1.0);
    const CameraPose fixed{{1, 1, 1}, {0, 0, 0}, {0, 1, 0}};
    const ViewMatrices view = rig.viewFor(fixed);
    const Coverage c = compareDisc(later, view);
    EXPECT_GT(c.predicted, 20000);
    EXPECT_LT(c.mismatched, c.predicted * 0.03);

    double change = 0;
    int n = 0;
    for (int y = 0; y < first.height; ++y)
        for (int x = 0; x < first.width; ++x)
            if (later.depthAt(x, y) < 1.0f) {
                change += std::fabs(later.brightness(x, y) - first.brightness(x, y));
                ++n;
            }
    ASSERT_GT(n, 0);
    EXPECT_GT(change / n, 3.0);  // clouds drift and the planet turns
}

// A view from high above the rings across the terminator, so a dark polar region shows.
bool overTheDarkPole(double T)
{
    const Vec3 eye = SceneRig::tourAt(T).eye;
    const double fromSun = angleBetween({eye.x, eye.y, 0.0}, {kSun.x, kSun.y, 0.0});
    return fromSun > 1.6 && fromSun < 2.4 && std::fabs(eye.z) > 0.42 * std::hypot(eye.x, eye.y);
}

TEST(SceneRender, NightSideAddsTheAuroraTintOnTheDarkSide)
{
    const double T = findTime(kSettled, kSettled + 20000, 0.5, overTheDarkPole);
    ASSERT_GT(T, 0.0);
    SideBrightness withNight, without;
    {
        SceneRig rig(fixedStartSettings(0, 1));
        ASSERT_TRUE(rig.ready());
        const FrameImage frame = rig.renderAt(T);
        keep(frame, "nightside-on");
        withNight = sides(frame, rig.viewFor(SceneRig::tourAt(T)));
    }
    {
        SceneRig rig(fixedStartSettings(0, 0));
        ASSERT_TRUE(rig.ready());
        const FrameImage frame = rig.renderAt(T);
        keep(frame, "nightside-off");
        without = sides(frame, rig.viewFor(SceneRig::tourAt(T)));
    }
    ASSERT_GT(without.darkCount, 200) << "T = " << T;
    EXPECT_GT(withNight.unlitTinted, without.unlitTinted + 50) << "T = " << T;
    EXPECT_NEAR(withNight.lit, without.lit, 6.0);
}

TEST(SceneRender, StarsNeverShowOverThePlanet)
{
    SceneRig rig(fixedStartSettings(0, 0));
    ASSERT_TRUE(rig.ready());
    const FrameImage frame = rig.renderAt(kSideView);
    const ViewMatrices view = rig.viewFor(SceneRig::tourAt(kSideView));
    const SideBrightness s = sides(frame, view);
    ASSERT_GT(s.darkCount, 200);
    EXPECT_LT(s.darkMax, 60.0);
    int starPixels = 0;
    view.forEachPixelRay(frame.width, frame.height, [&](int x, int y, const Vec3& o, const Vec3& d) {
        starPixels += planetHit(o, d) < 0.0 && frame.brightness(x, y) > 100.0;
    });
    EXPECT_GT(starPixels, 20);
}

TEST(SceneRender, FlareChainWhenTheSunIsClearAndNoneWhenCovered)
{
    SceneRig rig(fixedStartSettings(0, 0));
    ASSERT_TRUE(rig.ready());
    Vec3 ndc;
    const double clear =
        findTime(kSettled, kSettled + 20000, 0.5, [&](double T) { return sunPlacement(rig, T, true, ndc); });
    ASSERT_GT(clear, 0.0);
    sunPlacement(rig, clear, true, ndc);
    const FrameImage frame = rig.renderAt(clear);
    keep(frame, "flare-clear");
    drawLensFlares(kSun, rig.scene().textures(), rig.scene().glowProfile());  // the same flare once more on top
    const FrameImage twice = FrameImage::readBack(frame.width, frame.height);
    const double onLine = boxDifference(frame, twice, -0.78 * ndc.x, -0.78 * ndc.y);
    const double across = boxDifference(frame, twice, 0.78 * ndc.y, -0.78 * ndc.x);
    const double acrossOther = boxDifference(frame, twice, -0.78 * ndc.y, 0.78 * ndc.x);
    EXPECT_GT(onLine, std::max(across, acrossOther) + 5.0) << "sun at " << ndc.x << ", " << ndc.y;

    const double covered =
        findTime(kSettled, kSettled + 20000, 0.5, [&](double T) { return sunPlacement(rig, T, false, ndc); });
    ASSERT_GT(covered, 0.0);
    const FrameImage hidden = rig.renderAt(covered);
    keep(hidden, "flare-covered");
    drawLensFlares(kSun, rig.scene().textures(), rig.scene().glowProfile());
    const FrameImage hiddenTwice = FrameImage::readBack(hidden.width, hidden.height);
    EXPECT_EQ(hidden.rgb, hiddenTwice.rgb);
}

TEST(SceneRender, MoonPassingInFrontHidesThePlanet)
{
    SceneRig rig(fixedStartSettings(0, 0));
    ASSERT_TRUE(rig.ready());
    Vec3 moonWindow, planetWindow, frontWindow;
    int which = -1;
    const double T = findTime(kSettled, kSettled + 20000, 0.25, [&](double t) {
        const CameraPose pose = SceneRig::tourAt(t);
        const ViewMatrices view = rig.viewFor(pose);
        for (int i = 0; i < 4; ++i) {
            const MoonRecord& moon = moonRecords[i];
            const double a = moonAngle(t, moon, i);
            const Vec3 m{std::cos(a) * moon.orbitRadius, std::sin(a) * moon.orbitRadius, 0.0};
            if (!view.project(m, moonWindow) || moonWindow.z > 1.0)
                continue;
            Vec3 o, d;
            view.pixelRay(int(moonWindow.x), int(moonWindow.y), o, d);
            const double hit = planetHit(o, d);
            const Vec3 front = m + normalised(pose.eye - m) * moon.radius;
            if (hit > 0.0 && length(m - o) < hit - 0.3 && length(m - pose.eye) < 8.0 &&
                view.project(o + d * hit, planetWindow) && view.project(front, frontWindow)) {
                which = i;
                return true;
            }
        }
        return false;
    });
    ASSERT_GT(T, 0.0);
    const FrameImage frame = rig.renderAt(T);
    keep(frame, "moon-in-front");
    // The depth drawn there lies between the moon's near side and its centre.
    const float depth = frame.depthAt(int(moonWindow.x), int(moonWindow.y));
    EXPECT_LT(depth, planetWindow.z - 1e-5) << "moon " << which << " at T = " << T;
    EXPECT_LE(depth, moonWindow.z + 1e-6);
    EXPECT_GE(depth, frontWindow.z - 1e-5);
}

TEST(SceneRender, RingDarkensWhatLiesBehindItAndBrightensInFront)
{
    SceneRig rig(fixedStartSettings(0, 0));
    ASSERT_TRUE(rig.ready());
    const double T = findTime(kSettled, kSettled + 20000, 0.5, [](double t) {
        const Vec3 eye = SceneRig::tourAt(t).eye;
        return std::fabs(eye.z) > 0.45 * std::hypot(eye.x, eye.y);
    });
    ASSERT_GT(T, 0.0);
    const FrameImage frame = rig.renderAt(T);
    keep(frame, "rings-open");
    RingPass rings;
    rings.draw(rig.scene().textures());  // the ring once more over the finished frame
    const FrameImage twice = FrameImage::readBack(frame.width, frame.height);

    const ViewMatrices view = rig.viewFor(SceneRig::tourAt(T));
    int darkened = 0, brightened = 0, hiddenChanged = 0, hidden = 0, outsideChanged = 0;
    view.forEachPixelRay(frame.width, frame.height, [&](int x, int y, const Vec3& o, const Vec3& d) {
        const double tp = planetHit(o, d);
        const double tr = std::fabs(d.z) > 1e-9 ? -o.z / d.z : -1.0;
        const Vec3 r = o + d * tr;
        const double u = (r.x + r.y) / std::sqrt(2.0), v = (r.x - r.y) / std::sqrt(2.0);
        const bool onSquare = tr > 0.0 && std::fabs(u) < 1.95 && std::fabs(v) < 1.95;
        const bool offSquare = tr <= 0.0 || std::fabs(u) > 2.05 || std::fabs(v) > 2.05;
        const double change = twice.brightness(x, y) - frame.brightness(x, y);
        if (tp > 0.0 && (offSquare || tp < tr - 0.02)) {
            ++hidden;
            hiddenChanged += std::fabs(change) > 2.0;
        } else if (onSquare && (tp < 0.0 || tr < tp - 0.02)) {
            darkened += frame.brightness(x, y) > 40.0 && change < -6.0;
            brightened += frame.brightness(x, y) < 5.0 && change > 2.0;
        } else if (offSquare && tp < 0.0) {
            outsideChanged += std::fabs(change) > 1.0;
        }
    });
    EXPECT_GT(darkened, 30) << "T = " << T;
    EXPECT_GT(brightened, 30);
    EXPECT_LT(hiddenChanged, hidden / 100 + 5);
    EXPECT_LT(outsideChanged, 20);
}

// A run that ends while loading: the scene stops where its host says, loads nothing
// after that, shows no message and asks for no quit.
TEST(SceneRender, LoadingStopsQuietlyWhereTheHostStopsIt)
{
    for (int stopAt : {0, 5}) {
        SCOPED_TRACE(stopAt);
        SceneRig rig(fixedStartSettings(), SurfacePath::Automatic, stopAt);
        ASSERT_TRUE(rig.ready());
        EXPECT_TRUE(rig.host().messages.empty());
        EXPECT_EQ(rig.host().quitRequests, 0);
        const SceneTextures& t = rig.scene().textures();
        for (int i = 1; i <= 10; ++i)
            EXPECT_EQ(t.flare[i] != 0, i <= stopAt) << "flare " << i;
        EXPECT_EQ(t.moon[0], 0u);
        EXPECT_EQ(t.starGlow, 0u);
        EXPECT_EQ(rig.scene().planetTriangles(), 0);
        EXPECT_EQ(rig.scene().starCount(), 0u);
        EXPECT_FALSE(rig.scene().compositorReady());
        EXPECT_EQ(rig.renderAt(7000.0).width, SceneRig::width);  // draws what there is
    }
}

}  // namespace
