#include "scene/LensFlarePass.h"

#include <cmath>
#include <initializer_list>

#include "assets/GlHeaders.h"
#include "scene/Angles.h"

namespace {

// Lighting, shading, blending, culling, depth test and texturing; colour and the
// material that follows it, blend function and bound texture.
constexpr GLbitfield kFlareSpriteState =
    GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;

// Depth values of the frame drawn so far: the samples' block in one read (each read
// waits for the renderer), any pixel outside it on its own.
class GlDepthSampler : public DepthSampler {
public:
    explicit GlDepthSampler(const FlareView& view) : box_(flareSampleBox(view)) {}

    float depthAt(int x, int y) override
    {
        if (!tried_)
            readBlock();
        if (read_ && x >= box_.x0 && x <= box_.x1 && y >= box_.y0 && y <= box_.y1)
            return block_[(y - box_.y0) * (box_.x1 - box_.x0 + 1) + (x - box_.x0)];
        GLfloat depth = 0.0f;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        return depth;
    }

private:
    // Sets tight packing for the read; pushed and popped.
    void readBlock()
    {
        tried_ = true;
        const int width = box_.x1 - box_.x0 + 1, height = box_.y1 - box_.y0 + 1;
        if (width <= 0 || height <= 0 || width * height > kBlockCapacity)
            return;
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glReadPixels(box_.x0, box_.y0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, block_);
        glPopClientAttrib();
        read_ = true;
    }

    // The block of views up to about 3000 pixels wide; wider ones read pixel by pixel.
    static constexpr int kBlockCapacity = 96 * 96;
    PixelBox box_;
    bool tried_ = false;
    bool read_ = false;
    GLfloat block_[kBlockCapacity];
};

// Loads identity matrices, so that vertices are device coordinates, and sets an unlit,
// blended, uncovered draw(); state and both matrices are pushed and popped around it.
template <class Draw> void inDeviceSpace(Draw draw)
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
    draw();
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

// Sets an untextured, smoothly shaded, additive disc of rings, aspect times taller than
// wide; all of it is popped again.
void drawGlowDisc(double centreX, double centreY, double aspect, const GlowRing rings[sunGlowRings + 1])
{
    constexpr int kSegments = 32;
    inDeviceSpace([&] {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glShadeModel(GL_SMOOTH);
        glBlendFunc(GL_ONE, GL_ONE);
        for (int k = 0; k < sunGlowRings; ++k) {
            glBegin(GL_QUAD_STRIP);
            for (int j = 0; j <= kSegments; ++j) {
                const double a = j * (2.0 * pi / kSegments);
                for (const GlowRing* ring : {&rings[k + 1], &rings[k]}) {
                    glColor3f(ring->red, ring->green, ring->blue);
                    glVertex3d(centreX + ring->radius * std::cos(a), centreY + ring->radius * aspect * std::sin(a),
                               -1.0);
                }
            }
            glEnd();
        }
    });
}

}  // namespace

// Reads the depth buffer and sets nothing itself; each sprite and the glow disc restore
// what they set.
void drawLensFlares(Vec3 sun, const SceneTextures& textures, const GlowProfile& glow)
{
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    FlareView view{0.0, 0.0, 0.0, viewport[2], viewport[3]};
    if (gluProject(sun.x, sun.y, sun.z, modelView, projection, viewport, &view.winX, &view.winY, &view.winZ) != GL_TRUE)
        return;
    GlDepthSampler depth(view);
    FlareSprite sprites[flareSpriteCount];
    const int count = planLensFlares(view, depth, sprites);
    GlowRing rings[sunGlowRings + 1];
    const bool disc = planSunGlow(sprites, count, glow, rings);
    bool discDrawn = false;
    for (int i = 0; i < count; ++i) {
        const FlareSprite& s = sprites[i];
        if (disc && isWideSunGlow(i)) {
            if (!discDrawn)
                drawGlowDisc(s.centreX, s.centreY, static_cast<double>(view.width) / view.height, rings);
            discDrawn = true;
            continue;
        }
        drawFlareSprite(s.centreX, s.centreY, s.angle, s.halfWidth, s.halfHeight, s.alpha,
                        textures.flare[s.texture + 1], s.red, s.green, s.blue);
    }
}

// Sets an additive, textured quad; all of it is popped again.
void drawFlareSprite(double centreX, double centreY, double angle, double halfWidth, double halfHeight, double alpha,
                     unsigned texture, float red, float green, float blue)
{
    inDeviceSpace([&] {
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
    });
}
