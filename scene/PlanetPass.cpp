#include "scene/PlanetPass.h"

#include "assets/GlHeaders.h"
#include "scene/SphereHalo.h"

namespace {

// Lights, blending and depth test; tints and the material that follows them, blend
// function and bound texture.
constexpr GLbitfield kNightPassState =
    GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;
// Colours and the lit material, and the dark halo's blend function and texture.
constexpr GLbitfield kPlanetPassState =
    GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;

void setEnabled(GLenum capability, GLboolean on)
{
    on ? glEnable(capability) : glDisable(capability);
}

// Two additive passes of the night texture, lit from the anti-sun side only: cyan
// ribbons drifting one way, magenta ones upside down drifting the other.
// Sets light 1 alone, additive blending without depth test, the night texture and the
// tints; state and turns are pushed and popped, the light switches put back by hand
// (Mesa's attribute stack leaves them as last set).
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

}  // namespace

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
