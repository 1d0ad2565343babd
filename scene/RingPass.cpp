#include "scene/RingPass.h"

#include "assets/GlHeaders.h"

namespace {

// Lighting and blending; blend function, depth writes, colours and the material that
// follows them, bound texture.
constexpr GLbitfield kRingPassState =
    GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT;

struct RingCorner {
    GLdouble s, t, x, y;
};

// Two quads over the same corners, the second reversed, so one faces the eye from
// either side of the plane while back faces are culled.
constexpr RingCorner kRingSquare[8] = {
    {0, 0, 2, 2},  {1, 0, -2, 2},  {1, 1, -2, -2}, {0, 1, 2, -2},
    {0, 1, 2, -2}, {1, 1, -2, -2}, {1, 0, -2, 2},  {0, 0, 2, 2},
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

// Sets unlit blending without depth writes, the two textures and colours; state and
// the square's turn are pushed and popped.
void drawRings(const SceneTextures& textures)
{
    glPushAttrib(kRingPassState);
    glPushMatrix();
    glDepthMask(GL_FALSE);
    glRotated(-45.0, 0.0, 0.0, 1.0);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);

    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glColor4d(1.0, 1.0, 1.0, 1.0);  // the mask multiplies by its own picture alone
    glBindTexture(GL_TEXTURE_2D, textures.ringsMask);
    drawRingSquare();

    glBlendFunc(GL_ONE, GL_ONE);
    glColor3d(0.1, 0.1, 0.1);
    glBindTexture(GL_TEXTURE_2D, textures.rings);
    drawRingSquare();
    glPopMatrix();
    glPopAttrib();
}
