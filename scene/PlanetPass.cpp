#include "scene/PlanetPass.h"

#include "assets/GlHeaders.h"
#include "scene/SphereHalo.h"

namespace {

// Two additive passes of the night texture, lit from the anti-sun side only: cyan
// ribbons drifting one way, magenta ones upside down drifting the other.
void drawNightSide(PlanetMesh& mesh, double T, unsigned nightTexture)
{
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

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHT1);
    glEnable(GL_LIGHT0);
}

// Only specular and shininess outlast the next colour call under colour tracking.
void setPlanetMaterial()
{
    static const GLfloat specular[] = {0.6f, 0.5f, 0.4f, 1.0f};
    static const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialf(GL_FRONT, GL_SHININESS, 80.0f);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_AMBIENT, black);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, black);
}

}  // namespace

void drawPlanet(PlanetMesh& mesh, double T, bool nightSide, const SceneTextures& textures)
{
    glPushMatrix();
    glColor3d(1.0, 1.0, 1.0);
    mesh.drawRotated(T / 300.0);
    if (nightSide)
        drawNightSide(mesh, T, textures.night);
    setPlanetMaterial();
    glRotated(0.5 * T, 0.0, 0.0, 1.0);
    // The halo multiplies the finished planet: darker toward the limb, a crisp outline.
    glColor4d(2.0, 2.0, 2.0, 2.0);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, textures.flare[10]);
    drawSphereHalo({0.0, 0.0, 0.0}, 1.055, 2.0, 0.0);
    glPopMatrix();
}
