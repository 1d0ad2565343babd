#include "scene/PlanetPass.h"

#include "assets/GlHeaders.h"
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

}  // namespace

// Two additive passes of the night texture, lit from the anti-sun side only: cyan
// ribbons drifting one way, magenta ones upside down drifting the other.
// Sets light 1 alone, additive blending without depth test, the night texture, the
// tints and the clip plane; state and turns are pushed and popped, the light switches
// put back by hand (Mesa's attribute stack leaves them as last set).
void drawNightSide(PlanetMesh& mesh, double T, unsigned nightTexture)
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
    glColor3d(0.7, 1.5, 1.5);
    mesh.drawRotated(T * 0.02);

    glRotated(-4.0 * T, 0.0, 0.0, 1.0);
    glRotated(180.0, 1.0, 0.0, 0.0);
    glColor3d(1.5, 0.7, 1.5);
    mesh.drawRotated(T / 70.0);
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
void drawPlanet(PlanetMesh& mesh, double T, bool nightSide, const SceneTextures& textures)
{
    glPushAttrib(kPlanetPassState);
    glPushMatrix();
    setLitMaterial();
    glColor3d(1.0, 1.0, 1.0);
    mesh.drawRotated(T / 300.0);
    if (nightSide)
        drawNightSide(mesh, T, textures.night);
    glRotated(0.5 * T, 0.0, 0.0, 1.0);
    // The halo multiplies the finished planet: darker toward the limb, a crisp outline.
    glColor4d(2.0, 2.0, 2.0, 2.0);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, textures.flare[10]);
    drawSphereHalo({0.0, 0.0, 0.0}, 1.055, 2.0, 0.0);
    glPopMatrix();
    glPopAttrib();
}
