#include "scene/CloudCompositor.h"

#include <cstdio>

#include <GL/glu.h>

#include "assets/ImageLoader.h"
#include "assets/ResourcePack.h"
#include "assets/TextureUpload.h"
#include "scene/CloudLayout.h"

namespace {

constexpr int kPackId = 152;
constexpr int kOuterOval = 10;
constexpr int kInnerOval = 11;

struct QuadCorner {
    GLdouble x, y, s, t;
};

// A layer quad across the full width: s grows right to left and wraps.
void layerQuad(double u, double top, double bottom)
{
    const QuadCorner corners[4] = {
        {1.0, top, u, 0.0}, {-1.0, top, u + 1.0, 0.0},
        {-1.0, bottom, u + 1.0, 1.0}, {1.0, bottom, u, 1.0},
    };
    glBegin(GL_QUADS);
    for (const QuadCorner& c : corners) {
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, 0.1);
    }
    glEnd();
}

void ovalQuad()
{
    static const QuadCorner corners[4] = {
        {1.0, 1.0, 0.0, 0.0}, {-1.0, 1.0, 1.0, 0.0}, {-1.0, -1.0, 1.0, 1.0}, {1.0, -1.0, 0.0, 1.0},
    };
    glBegin(GL_QUADS);
    for (const QuadCorner& c : corners) {
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, 0.1);
    }
    glEnd();
}

// The mask multiplies what lies below, then the layer is added.
template <typename Draw>
void drawMasked(GLuint texture, GLuint mask, Draw draw)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, mask);
    draw();
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, texture);
    draw();
    glDisable(GL_BLEND);
}

}  // namespace

CloudCompositor::CloudCompositor(SceneHost& host) : host_(host) {}

CloudCompositor::~CloudCompositor()
{
    layerBuffers_.freeAll();
}

int CloudCompositor::create(int32_t width, int32_t height)
{
    if (!RenderTexture::create(width, height))
        return 0;
    if (!makeCurrent()) {
        release();
        return 0;
    }
    setUpPbufferState();
    if (!makeWindowCurrent()) {
        release();
        return 0;
    }
    return 1;
}

// Set once: the pbuffer's context keeps it, and the scene never draws there.
void CloudCompositor::setUpPbufferState()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDepthMask(GL_FALSE);
}

int CloudCompositor::release()
{
    const int result = RenderTexture::release();
    layerBuffers_.freeAll();
    return result;
}

bool CloudCompositor::loadPictures(ResourcePack& pack, const char* pattern, GLuint* names)
{
    for (int i = 0; i < layerCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, pattern, i);
        Image image;
        if (!ImageLoader::load(image, name, pack)) {
            host_.showError("Can't load pTexture.", SceneHost::ErrorIcon);
            return false;
        }
        if (!layerBuffers_.keep(image.pixels))
            return false;
        names[i] = uploadTexture(image, UploadProfile::Sprite);
    }
    return true;
}

int CloudCompositor::loadContent()
{
    if (!makeCurrent())
        return 0;
    layerBuffers_.freeAll();
    ResourcePack pack;
    if (!pack.open(kPackId)) {
        host_.showError("Can't open resource data file.", SceneHost::ErrorIcon);
        makeWindowCurrent();
        return 0;
    }
    if (!loadPictures(pack, "layer_tex%d.jpg", layerTextures_) ||
        !loadPictures(pack, "layer_mask%d.jpg", maskTextures_)) {
        pack.close();
        makeWindowCurrent();
        return 0;
    }
    const bool back = makeWindowCurrent();
    pack.close();
    return back ? 1 : 0;
}

void CloudCompositor::drawLayer(int index, double u, bool masked)
{
    const LayerDescriptor& layer = layerTable[index];
    const BandEdges edges = bandEdges(layer.top, layer.height);
    auto quad = [&] { layerQuad(u, edges.top, edges.bottom); };
    if (!masked) {
        glBindTexture(GL_TEXTURE_2D, layerTextures_[index]);
        glColor4d(1.0, 1.0, 1.0, 1.0);  // stays current for every later quad
        quad();
        return;
    }
    drawMasked(layerTextures_[index], maskTextures_[index], quad);
}

void CloudCompositor::drawOvals(double p, double t)
{
    for (int index : {kOuterOval, kInnerOval}) {
        const LayerDescriptor& oval = layerTable[index];
        glPushMatrix();
        glTranslated(2.0 * p - 1.0, 1.0 - 2.0 * oval.top, 0.0);
        glRotated(oval.spin * t * 360.0, 0.0, 0.0, 1.0);
        glScaled(oval.width, oval.height, oval.width);  // width x (height / width) aspect
        drawMasked(layerTextures_[index], maskTextures_[index], ovalQuad);
        glPopMatrix();
    }
}

int CloudCompositor::compose(double T)
{
    const double t = compositionTime(T);
    if (!isReady() || !makeCurrent())
        return 0;
    releaseBinding();  // the colour buffer is drawn into again; the planet pass rebinds it
    drawLayer(0, t * layerTable[0].driftSpeed, false);
    for (int band = 1; band < kOuterOval; ++band)
        drawLayer(band, t * layerTable[band].driftSpeed + layerTable[band].phase, true);

    const LayerDescriptor& outer = layerTable[kOuterOval];
    const double p = ovalPosition(t, outer.driftSpeed, outer.phase);
    double copies[3];
    const int count = ovalCopies(p, layerTable[kInnerOval].width, copies);
    for (int i = 0; i < count; ++i)
        drawOvals(copies[i], t);
    return makeWindowCurrent() ? 1 : 0;
}
