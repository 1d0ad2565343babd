#include "scene/RingPass.h"

#include "assets/GlExtensions.h"
#include "scene/Annulus.h"

namespace {

// Lighting, blending and culling; blend function, depth writes, colours and the
// material that follows them, every unit's texture, binding and environment.
constexpr GLbitfield kRingPassState =
    GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT;

// The ARB names share their tokens' values with the core ones.
constexpr GLenum kTexture0 = 0x84C0;
constexpr GLenum kTexture1 = 0x84C1;
constexpr GLenum kMaxTextureUnits = 0x84E2;
constexpr GLenum kCombine = 0x8570;
constexpr GLenum kCombineRgb = 0x8571;
constexpr GLenum kCombineAlpha = 0x8572;
constexpr GLenum kPrevious = 0x8578;
constexpr GLenum kSource0Rgb = 0x8580;
constexpr GLenum kSource0Alpha = 0x8588;
constexpr GLenum kOperand0Rgb = 0x8590;
constexpr GLenum kOperand0Alpha = 0x8598;

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

void RingPass::resolve(GlProcLoader loader)
{
    activeTexture_ = nullptr;
    multiTexCoord2d_ = nullptr;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    GLint units = 0;
    glGetIntegerv(kMaxTextureUnits, &units);
    if (loader == nullptr || !GlExtensions::listContains(extensions, "GL_ARB_multitexture") ||
        !GlExtensions::listContains(extensions, "GL_ARB_texture_env_combine") || units < 2)
        return;
    auto activeTexture = reinterpret_cast<decltype(activeTexture_)>(loader("glActiveTextureARB"));
    auto multiTexCoord2d = reinterpret_cast<decltype(multiTexCoord2d_)>(loader("glMultiTexCoord2dARB"));
    if (activeTexture == nullptr || multiTexCoord2d == nullptr)
        return;
    activeTexture_ = activeTexture;
    multiTexCoord2d_ = multiTexCoord2d;
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
    activeTexture_(kTexture1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.ringsMask);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, kCombine);
    glTexEnvi(GL_TEXTURE_ENV, kCombineRgb, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, kSource0Rgb, kPrevious);
    glTexEnvi(GL_TEXTURE_ENV, kOperand0Rgb, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, kCombineAlpha, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, kSource0Alpha, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, kOperand0Alpha, GL_SRC_ALPHA);
    const auto multiTexCoord2d = multiTexCoord2d_;
    drawAnnulus([multiTexCoord2d](GLdouble s, GLdouble t) {
        multiTexCoord2d(kTexture0, s, t);
        multiTexCoord2d(kTexture1, s, t);
    });
    activeTexture_(kTexture0);
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
