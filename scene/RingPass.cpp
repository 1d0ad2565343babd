#include "scene/RingPass.h"

#include "assets/GlHeaders.h"

namespace {

struct RingCorner {
    GLdouble s, t, x, y;
};

// Two quads over the same corners, the second reversed, so one faces the eye from
// either side of the plane while back faces are culled.
constexpr RingCorner kRingSquare[8] = {
    {0, 0, 2, 2}, {1, 0, -2, 2}, {1, 1, -2, -2}, {0, 1, 2, -2},
    {0, 1, 2, -2}, {1, 1, -2, -2}, {1, 0, -2, 2}, {0, 0, 2, 2},
};

void drawRingSquare()
{
    glBegin(GL_QUADS);
    for (const RingCorner& c : kRingSquare) {
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, 0.0);
    }
    glEnd();
}

}  // namespace

void drawRings(const SceneTextures& textures)
{
    glDepthMask(GL_FALSE);
    glRotated(-45.0, 0.0, 0.0, 1.0);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);

    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, textures.ringsMask);
    drawRingSquare();

    glBlendFunc(GL_ONE, GL_ONE);
    glColor3d(0.1, 0.1, 0.1);
    glBindTexture(GL_TEXTURE_2D, textures.rings);
    drawRingSquare();

    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glRotated(45.0, 0.0, 0.0, 1.0);
    glDepthMask(GL_TRUE);
}
