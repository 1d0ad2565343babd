#include "scene/RingPass.h"

#include "assets/GlHeaders.h"

#include "scene/Annulus.h"

namespace {

// Lighting, blending and culling; blend function, depth writes, colours and the
// material that follows them, the texture's binding and environment.
constexpr GLbitfield kRingPassState =
    GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT;

constexpr GLdouble kRingBrightness = 0.1;

constexpr double kPictureHalfWidth = 2.0;  // the ring picture's square spans -2..2 on both axes

// One strip, seen from either side of the plane: the pass turns culling off. Texture
// (0, 0) lies at (2, 2) and (1, 1) at (-2, -2), as on the picture's square.
void drawAnnulus()
{
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < annulusVertexCount(ringBand); ++k) {
        const AnnulusPoint p = annulusVertex(ringBand, k);
        glTexCoord2d((kPictureHalfWidth - p.x) / (2.0 * kPictureHalfWidth),
                     (kPictureHalfWidth - p.y) / (2.0 * kPictureHalfWidth));
        glVertex3d(p.x, p.y, 0.0);
    }
    glEnd();
}

}  // namespace

// Sets unlit, two-sided blending without depth writes, the texture and its colour; state
// and the band's turn are pushed and popped. The blend adds a tenth of the rings to what
// lies behind times the mask.
void RingPass::draw(const SceneTextures& textures) const
{
    glPushAttrib(kRingPassState);
    glPushMatrix();
    glDepthMask(GL_FALSE);
    glRotated(-45.0, 0.0, 0.0, 1.0);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4d(kRingBrightness, kRingBrightness, kRingBrightness, 1.0);
    glBindTexture(GL_TEXTURE_2D, textures.rings);
    drawAnnulus();
    glPopMatrix();
    glPopAttrib();
}
