#include "scene/RingPass.h"

#include <GL/glext.h>

#include "scene/Annulus.h"

namespace {

// Lighting, blending and culling; blend function, depth writes, colours and the
// material that follows them, every unit's texture, binding and environment.
constexpr GLbitfield kRingPassState =
    GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT;

// Unit 1 passes unit 0's colour on and takes its alpha from the mask.
const EnvironmentSetting kMaskAsAlpha[] = {
    {GL_TEXTURE_ENV_MODE, GL_COMBINE}, {GL_COMBINE_RGB, GL_REPLACE},   {GL_SOURCE0_RGB, GL_PREVIOUS},
    {GL_OPERAND0_RGB, GL_SRC_COLOR},   {GL_COMBINE_ALPHA, GL_REPLACE}, {GL_SOURCE0_ALPHA, GL_TEXTURE},
    {GL_OPERAND0_ALPHA, GL_SRC_ALPHA},
};

constexpr GLdouble kRingBrightness = 0.1;

constexpr double kPictureHalfWidth = 2.0;  // the ring picture's square spans -2..2 on both axes

// One strip, seen from either side of the plane: the pass turns culling off. Texture
// (0, 0) lies at (2, 2) and (1, 1) at (-2, -2), as on the picture's square.
template <class TexCoord> void drawAnnulus(TexCoord texCoord)
{
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < annulusVertexCount(ringBand); ++k) {
        const AnnulusPoint p = annulusVertex(ringBand, k);
        texCoord((kPictureHalfWidth - p.x) / (2.0 * kPictureHalfWidth),
                 (kPictureHalfWidth - p.y) / (2.0 * kPictureHalfWidth));
        glVertex3d(p.x, p.y, 0.0);
    }
    glEnd();
}

void drawAnnulus()
{
    drawAnnulus([](GLdouble s, GLdouble t) { glTexCoord2d(s, t); });
}

}  // namespace

void RingPass::useUnits(const TextureUnits& units)
{
    units_ = units.allow(2) ? units : TextureUnits();
}

// Sets unlit, two-sided blending without depth writes, the textures and colours; state
// and the band's turn are pushed and popped.
void RingPass::draw(const SceneTextures& textures) const
{
    glPushAttrib(kRingPassState);
    glPushMatrix();
    glDepthMask(GL_FALSE);
    glRotated(-45.0, 0.0, 0.0, 1.0);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    if (singlePass())
        drawSinglePass(textures);
    else
        drawTwoPasses(textures);
    glPopMatrix();
    glPopAttrib();
}

// Unit 0 gives a tenth of the rings, unit 1 takes its alpha from the mask, and the
// blend adds the rings to what lies behind times the mask.
void RingPass::drawSinglePass(const SceneTextures& textures) const
{
    glBlendFunc(GL_ONE, GL_SRC_ALPHA);
    glColor4d(kRingBrightness, kRingBrightness, kRingBrightness, 1.0);
    glBindTexture(GL_TEXTURE_2D, textures.rings);
    units_.activeTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.ringsMask);
    setEnvironment(kMaskAsAlpha);
    const auto multiTexCoord2d = units_.multiTexCoord2d;
    drawAnnulus([multiTexCoord2d](GLdouble s, GLdouble t) {
        multiTexCoord2d(GL_TEXTURE0, s, t);
        multiTexCoord2d(GL_TEXTURE1, s, t);
    });
    units_.activeTexture(GL_TEXTURE0);
}

void RingPass::drawTwoPasses(const SceneTextures& textures) const
{
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glColor4d(1.0, 1.0, 1.0, 1.0);  // the mask multiplies by its own picture alone
    glBindTexture(GL_TEXTURE_2D, textures.ringsMask);
    drawAnnulus();

    glBlendFunc(GL_ONE, GL_ONE);
    glColor3d(kRingBrightness, kRingBrightness, kRingBrightness);
    glBindTexture(GL_TEXTURE_2D, textures.rings);
    drawAnnulus();
}
