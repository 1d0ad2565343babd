#include "scene/LensFlarePass.h"

#include "assets/GlHeaders.h"

namespace {

// Lighting, blending and depth test; colour and the material that follows it, blend
// function and bound texture.
constexpr GLbitfield kFlareSpriteState =
    GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;

// One depth value per read from the frame drawn so far.
struct GlDepthSampler : DepthSampler {
    float depthAt(int x, int y) override
    {
        GLfloat depth = 0.0f;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        return depth;
    }
};

}  // namespace

// Reads the depth buffer and sets nothing itself; each sprite restores what it sets.
void drawLensFlares(Vec3 sun, const SceneTextures& textures)
{
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    FlareView view{0.0, 0.0, 0.0, viewport[2], viewport[3]};
    if (gluProject(sun.x, sun.y, sun.z, modelView, projection, viewport, &view.winX, &view.winY, &view.winZ) != GL_TRUE)
        return;
    GlDepthSampler depth;
    FlareSprite sprites[flareSpriteCount];
    const int count = planLensFlares(view, depth, sprites);
    for (int i = 0; i < count; ++i) {
        const FlareSprite& s = sprites[i];
        drawFlareSprite(s.centreX, s.centreY, s.angle, s.halfWidth, s.halfHeight, s.alpha,
                        textures.flare[s.texture + 1], s.red, s.green, s.blue);
    }
}

// Sets an unlit, additive, uncovered quad in device coordinates; state and both
// matrices are pushed and popped.
void drawFlareSprite(double centreX, double centreY, double angle, double halfWidth, double halfHeight, double alpha,
                     unsigned texture, float red, float green, float blue)
{
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(kFlareSpriteState);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, texture);

    const FlareSprite sprite{centreX, centreY, angle, halfWidth, halfHeight, alpha, 0, red, green, blue};
    FlareCorner corners[4];
    flareSpriteCorners(sprite, corners);
    glBegin(GL_QUADS);
    glColor4d(red, green, blue, alpha);
    for (const FlareCorner& c : corners) {
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, -1.0);
    }
    glEnd();

    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
