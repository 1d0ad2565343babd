#include "scene/PlanetPass.h"

#include <cmath>
#include <cstddef>

#include <GL/glext.h>

#include "assets/GlHeaders.h"
#include "scene/Angles.h"
#include "scene/PlanetMath.h"
#include "scene/SphereHalo.h"

namespace {

// Lights, blending, depth test and the clip plane; tints and the material that follows
// them, blend function, bound texture and the plane's equation.
constexpr GLbitfield kNightPassState =
    GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT;
// How far beyond the planet's centre, toward the sun, the night passes still draw. Light
// 1's ambient cancels the scene's, so a vertex it does not reach adds exactly nothing;
// every vertex it reaches lies less than 0.08 sunward of the centre (the flattened
// normal leans up to 4.2 degrees from the radius, the light's rays diverge by 0.1), and
// no triangle spans more than 0.05. Triangles cut by the plane are therefore black.
constexpr double kNightReach = 0.15;
// The night passes' colours: cyan ribbons, and magenta ones upside down.
constexpr GLfloat kCyanTint[3] = {0.7f, 1.5f, 1.5f};
constexpr GLfloat kMagentaTint[3] = {1.5f, 0.7f, 1.5f};
// Both in one pass: unit 0 mixes the two textures in the tints' ratio, unit 1 scales the
// lit mix up by this much, so that the material (the tints' sum over it) stays within
// [0, 1]. Light 1's lit colour is linear in the material and stays below 1 throughout.
constexpr GLfloat kMixScale = 4.0f;
// Colours and the lit material, and the dark halo's blend function and texture.
constexpr GLbitfield kPlanetPassState = GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;

void setEnabled(GLenum capability, GLboolean on)
{
    on ? glEnable(capability) : glDisable(capability);
}

// Keeps the half-space of points less than kNightReach sunward of the planet's centre,
// given in eye coordinates (the caller's push of the transform state restores it).
void clipToNightHalf()
{
    GLfloat light[4];
    GLdouble modelView[16];
    glGetLightfv(GL_LIGHT1, GL_POSITION, light);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    const Vec3 centre{modelView[12], modelView[13], modelView[14]};
    const Vec3 toLight = normalised(Vec3{light[0], light[1], light[2]} - centre);
    const GLdouble plane[4] = {toLight.x, toLight.y, toLight.z, kNightReach - dot(toLight, centre)};
    glPushMatrix();
    glLoadIdentity();
    glClipPlane(GL_CLIP_PLANE0, plane);
    glPopMatrix();
    glEnable(GL_CLIP_PLANE0);
}

// How far the cyan pass's triangles have turned under its picture.
double cyanTurns(double T)
{
    return T * 0.02;
}

// The cyan pass turns with the turning frame; the magenta one turns back twice as
// fast and upside down.
void drawNightPasses(PlanetMesh& mesh, double T)
{
    glColor3fv(kCyanTint);
    mesh.drawRotated(cyanTurns(T));
    glRotated(-4.0 * T, 0.0, 0.0, 1.0);
    glRotated(180.0, 1.0, 0.0, 0.0);
    glColor3fv(kMagentaTint);
    mesh.drawRotated(T / 70.0);
}

// Unit 1 reads the cyan pass's coordinates as the magenta pass's triangles would give
// them: longitude mirrored and turned back by T / 90 turns, latitude mirrored.
void loadMagentaTextureMatrix(double T)
{
    const double shift = -static_cast<double>(turnFraction(cyanTurns(T))) - std::fmod(T / 90.0, 1.0);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(shift, 1.0, 0.0);
    glScaled(-1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

// Unit 0: the cyan texture mixed with unit 1's magenta one in the tints' ratio (the
// constant colour).
const EnvironmentSetting kMixTheTints[] = {
    {GL_TEXTURE_ENV_MODE, GL_COMBINE}, {GL_COMBINE_RGB, GL_INTERPOLATE}, {GL_SOURCE0_RGB, GL_TEXTURE1},
    {GL_SOURCE1_RGB, GL_TEXTURE0},     {GL_SOURCE2_RGB, GL_CONSTANT},    {GL_OPERAND2_RGB, GL_SRC_COLOR},
};
// Unit 1: the mix times the lit colour.
const EnvironmentSetting kLightTheMix[] = {
    {GL_TEXTURE_ENV_MODE, GL_COMBINE},
    {GL_COMBINE_RGB, GL_MODULATE},
    {GL_SOURCE0_RGB, GL_PREVIOUS},
    {GL_SOURCE1_RGB, GL_PRIMARY_COLOR},
};

// Both units' combiners, unit 1's scaling the lit mix back up, and the material.
void setNightCombiners(const NightPlan& plan, unsigned nightTexture, double T)
{
    GLfloat ratio[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    GLfloat material[3];
    for (int i = 0; i < 3; ++i) {
        ratio[i] = kMagentaTint[i] / (kCyanTint[i] + kMagentaTint[i]);
        material[i] = (kCyanTint[i] + kMagentaTint[i]) / kMixScale;
    }
    plan.units.activeTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, nightTexture);
    setEnvironment(kLightTheMix);
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, kMixScale);
    loadMagentaTextureMatrix(T);
    plan.units.activeTexture(GL_TEXTURE0);
    setEnvironment(kMixTheTints);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, ratio);
    glColor3fv(material);
}

// Both night passes as one: the sphere once, in the cyan pass's place.
void drawNightPassesOnce(PlanetMesh& mesh, double T, unsigned nightTexture, const NightPlan& plan)
{
    setNightCombiners(plan, nightTexture, T);
    mesh.drawRotated(cyanTurns(T));
    plan.units.activeTexture(GL_TEXTURE1);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    plan.units.activeTexture(GL_TEXTURE0);
}

// Both tints, in one pass or two, the matrix kept.
void drawNightTints(PlanetMesh& mesh, double T, unsigned nightTexture, const NightPlan& plan)
{
    glPushMatrix();
    if (plan.twoUnits())
        drawNightPassesOnce(mesh, T, nightTexture, plan);
    else
        drawNightPasses(mesh, T);
    glPopMatrix();
}

// Plane 1 keeps one polar cap beyond the quiet band (north for 1, south for -1), given
// in the turning frame, whose z is the axis; the mirrored pass's caps are the same.
void clipToCap(double quietLatitude, double pole)
{
    const GLdouble plane[4] = {0.0, 0.0, pole, -std::sin(radians(quietLatitude))};
    glClipPlane(GL_CLIP_PLANE1, plane);
    glEnable(GL_CLIP_PLANE1);
}

}  // namespace

// Two additive passes of the night texture, lit from the anti-sun side only: cyan
// ribbons drifting one way, magenta ones upside down drifting the other; with two
// units, both in one pass; with a quiet band about the equator, the two polar caps only.
// Sets light 1 alone, additive blending without depth test, the night texture, the
// tints, the clip planes and both units' combiners; state and turns are pushed and
// popped, unit 1's texture matrix too, the light switches put back by hand (Mesa's
// attribute stack leaves them as last set).
void drawNightSide(PlanetMesh& mesh, double T, unsigned nightTexture, const NightPlan& plan)
{
    const GLboolean light0 = glIsEnabled(GL_LIGHT0);
    const GLboolean light1 = glIsEnabled(GL_LIGHT1);
    glPushAttrib(kNightPassState);
    glPushMatrix();
    glDisable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, nightTexture);
    glBlendFunc(GL_ONE, GL_ONE);
    clipToNightHalf();
    glRotated(2.0 * T, 0.0, 0.0, 1.0);
    if (plan.quietLatitude > 0.0) {
        for (double pole : {1.0, -1.0}) {
            clipToCap(plan.quietLatitude, pole);
            drawNightTints(mesh, T, nightTexture, plan);
        }
    } else {
        drawNightTints(mesh, T, nightTexture, plan);
    }
    glPopMatrix();
    glPopAttrib();
    setEnabled(GL_LIGHT0, light0);
    setEnabled(GL_LIGHT1, light1);
}

// Only specular and shininess outlast the next colour call under colour tracking.
void setLitMaterial()
{
    static const GLfloat specular[] = {0.6f, 0.5f, 0.4f, 1.0f};
    static const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialf(GL_FRONT, GL_SHININESS, 80.0f);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_AMBIENT, black);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, black);
}

// Sets the lit material, colours, the night passes and the halo's blending; all of it
// and the matrix are pushed and popped.
void drawPlanet(PlanetMesh& mesh, double T, bool nightSide, const SceneTextures& textures, const NightPlan& plan)
{
    glPushAttrib(kPlanetPassState);
    glPushMatrix();
    setLitMaterial();
    glColor3d(1.0, 1.0, 1.0);
    mesh.drawRotated(T / 300.0);
    if (nightSide)
        drawNightSide(mesh, T, textures.night, plan);
    glRotated(0.5 * T, 0.0, 0.0, 1.0);
    // The halo multiplies the finished planet: darker toward the limb, a crisp outline.
    glColor4d(2.0, 2.0, 2.0, 2.0);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, textures.flare[10]);
    drawSphereHalo({0.0, 0.0, 0.0}, 1.055, 2.0, 0.0);
    glPopMatrix();
    glPopAttrib();
}
