#include "scene/CloudCompositor.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include <GL/glext.h>

#include "assets/ResourcePack.h"
#include "scene/CloudLayout.h"
#include "scene/PackMembers.h"

namespace {

constexpr int kOuterOval = 10;
constexpr int kInnerOval = 11;

// Composition sets viewport, scissor, enables, blending, depth writes, culling,
// texture units, the current colour and both matrices; all of it is restored.
constexpr GLbitfield kCompositionState = GL_VIEWPORT_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT |
                                         GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT |
                                         GL_TRANSFORM_BIT;

struct QuadCorner {
    GLdouble x, y, s, t;
};

const QuadCorner kOvalCorners[4] = {
    {1.0, 1.0, 0.0, 0.0},
    {-1.0, 1.0, 1.0, 0.0},
    {-1.0, -1.0, 1.0, 1.0},
    {1.0, -1.0, 0.0, 1.0},
};

}  // namespace

struct CloudCompositor::MultiTexture {
    // Spelt out: Mesa's headers declare these types only where gl.h lacks version 1.3.
    void(APIENTRY* activeTexture)(GLenum) = nullptr;
    void(APIENTRY* multiTexCoord2d)(GLenum, GLdouble, GLdouble) = nullptr;

    // A quad whose corners carry the same coordinates in both units when both are in use.
    void quad(const QuadCorner* corners, bool bothUnits) const
    {
        glBegin(GL_QUADS);
        for (int i = 0; i < 4; ++i) {
            const QuadCorner& c = corners[i];
            if (bothUnits) {
                multiTexCoord2d(GL_TEXTURE0, c.s, c.t);
                multiTexCoord2d(GL_TEXTURE1, c.s, c.t);
            } else {
                glTexCoord2d(c.s, c.t);
            }
            glVertex3d(c.x, c.y, 0.1);
        }
        glEnd();
    }
};

CloudCompositor::CloudCompositor(SceneHost& host, GlProcLoader loader)
    : host_(host), loader_(loader), multiTexture_(new MultiTexture)
{
}

CloudCompositor::~CloudCompositor() = default;

void CloudCompositor::findMultiTexture()
{
    MultiTexture& mt = *multiTexture_;
    if (loader_ != nullptr) {
        mt.activeTexture = reinterpret_cast<decltype(mt.activeTexture)>(loader_("glActiveTexture"));
        mt.multiTexCoord2d = reinterpret_cast<decltype(mt.multiTexCoord2d)>(loader_("glMultiTexCoord2d"));
    }
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    const bool twoUnits = mt.activeTexture && mt.multiTexCoord2d && units >= 2;
    passes_ = twoUnits ? preferred_ : LayerPasses::Two;
}

bool CloudCompositor::create(std::vector<std::unique_ptr<OffscreenTarget>> levels, ResourcePack& pack)
{
    PictureBatch pictures;
    addPictures(pictures);
    pictures.start(pack, host_);
    return create(std::move(levels), pictures, 0);
}

bool CloudCompositor::create(std::vector<std::unique_ptr<OffscreenTarget>> levels, PictureBatch& pictures, int first)
{
    if (ready_ || levels.empty())
        return false;
    levels_ = std::move(levels);
    for (const std::unique_ptr<OffscreenTarget>& level : levels_)
        if (!level || !level->isReady()) {
            release();
            return false;
        }
    if (!loadContent(pictures, first)) {
        release();
        return false;
    }
    ready_ = true;
    return true;
}

void CloudCompositor::addPictures(PictureBatch& pictures)
{
    for (const char* pattern : {PackMembers::layer, PackMembers::layerMask})
        for (int i = 0; i < layerCount; ++i)
            pictures.add(pattern, i);
}

void CloudCompositor::release()
{
    ready_ = false;
    deleteTextures();
    for (std::unique_ptr<OffscreenTarget>& level : levels_)
        if (level)
            level->release();
}

// The layer textures live in the full-size target's context: the window's, or the pbuffer's.
void CloudCompositor::deleteTextures()
{
    if (levels_.empty() || !levels_[0] || !levels_[0]->beginDrawing())
        return;
    glDeleteTextures(layerCount, layerTextures_);
    glDeleteTextures(layerCount, maskTextures_);
    levels_[0]->endDrawing();
    for (int i = 0; i < layerCount; ++i)
        layerTextures_[i] = maskTextures_[i] = 0;
}

// Pictures first..first + layerCount - 1 of the batch, in order, each as soon as it is
// decoded; the bands take one profile, the ovals another.
bool CloudCompositor::uploadPictures(PictureBatch& pictures, int first, UploadProfile bands, UploadProfile ovals,
                                     GLuint* names)
{
    for (int i = 0; i < layerCount; ++i) {
        const Image& image = pictures.image(first + i);
        if (!image.pixels) {
            host_.showError("Can't load pTexture.", SceneHost::ErrorIcon);
            return false;
        }
        names[i] = uploadTexture(image, i < kOuterOval ? bands : ovals);
        pictures.release(first + i);  // GL keeps its own copy
    }
    return true;
}

// The textures are made in the target's context: the pbuffer's own, or the window's.
bool CloudCompositor::loadContent(PictureBatch& pictures, int first)
{
    OffscreenTarget& target = *levels_[0];
    if (!target.beginDrawing())
        return false;
    findMultiTexture();
    // Composed at full size the bands map texel to texel, so their mipmaps only
    // come into play on the smaller levels.
    const bool levels = levels_.size() > 1;
    const bool intensity = passes_ == LayerPasses::One;
    const UploadProfile bands = levels ? UploadProfile::Mipmapped : UploadProfile::Sprite;
    const UploadProfile bandMasks = levels ? (intensity ? UploadProfile::MipmappedIntensity : UploadProfile::Mipmapped)
                                           : (intensity ? UploadProfile::SpriteIntensity : UploadProfile::Sprite);
    const UploadProfile ovalMasks = intensity ? UploadProfile::SpriteIntensity : UploadProfile::Sprite;
    // Uploading binds textures and sets the unpack alignment; both are given back.
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    const bool loaded = uploadPictures(pictures, first, bands, UploadProfile::Sprite, layerTextures_) &&
                        uploadPictures(pictures, first + layerCount, bandMasks, ovalMasks, maskTextures_);
    glPopClientAttrib();
    glPopAttrib();
    const bool back = target.endDrawing();
    return loaded && back;
}

template <class Quad> void CloudCompositor::drawMasked(int index, Quad quad)
{
    const MultiTexture& mt = *multiTexture_;
    glEnable(GL_BLEND);
    if (passes_ == LayerPasses::One) {
        // Unit 0 gives the mask as alpha, unit 1 the layer's colour: surface x mask + layer.
        glBlendFunc(GL_ONE, GL_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, maskTextures_[index]);
        mt.activeTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, layerTextures_[index]);
        mt.activeTexture(GL_TEXTURE0);
        quad(true);
    } else {
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        glBindTexture(GL_TEXTURE_2D, maskTextures_[index]);
        quad(false);
        glBlendFunc(GL_ONE, GL_ONE);
        glBindTexture(GL_TEXTURE_2D, layerTextures_[index]);
        quad(false);
    }
    glDisable(GL_BLEND);
}

// A band across the full width: s grows right to left and wraps.
void CloudCompositor::drawLayer(int index, double u)
{
    const LayerDescriptor& layer = layerTable[index];
    const BandEdges edges = bandEdges(layer.top, layer.height);
    const QuadCorner corners[4] = {
        {1.0, edges.top, u, 0.0},
        {-1.0, edges.top, u + 1.0, 0.0},
        {-1.0, edges.bottom, u + 1.0, 1.0},
        {1.0, edges.bottom, u, 1.0},
    };
    auto quad = [&](bool bothUnits) { multiTexture_->quad(corners, bothUnits); };
    if (index == 0) {
        glBindTexture(GL_TEXTURE_2D, layerTextures_[0]);
        quad(false);
        return;
    }
    drawMasked(index, quad);
}

void CloudCompositor::drawOvals(double p, double t)
{
    for (int index : {kOuterOval, kInnerOval}) {
        const LayerDescriptor& oval = layerTable[index];
        glPushMatrix();
        glTranslated(2.0 * p - 1.0, 1.0 - 2.0 * oval.top, 0.0);
        glRotated(oval.spin * t * 360.0, 0.0, 0.0, 1.0);
        glScaled(oval.width, oval.height, oval.width);  // width x (height / width) aspect
        drawMasked(index, [&](bool bothUnits) { multiTexture_->quad(kOvalCorners, bothUnits); });
        glPopMatrix();
    }
}

void CloudCompositor::composeInto(const OffscreenTarget& target, const TexelBox& box, double t)
{
    glScissor(box.x, box.y, box.width, box.height);
    const MultiTexture& mt = *multiTexture_;
    if (passes_ == LayerPasses::One) {
        mt.activeTexture(GL_TEXTURE1);
        glDisable(GL_TEXTURE_2D);
        mt.activeTexture(GL_TEXTURE0);
    }
    drawLayer(0, t * layerTable[0].driftSpeed);  // covers the whole surface: no clear needed
    if (passes_ == LayerPasses::One) {
        mt.activeTexture(GL_TEXTURE1);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        mt.activeTexture(GL_TEXTURE0);
    }
    // Layers whose rows miss the box would draw nothing there.
    const double boxLow = 2.0 * box.y / target.height() - 1.0;
    const double boxHigh = 2.0 * (box.y + box.height) / target.height() - 1.0;
    auto meets = [&](double low, double high) { return high > boxLow && low < boxHigh; };
    for (int band = 1; band < kOuterOval; ++band) {
        const BandEdges edges = bandEdges(layerTable[band].top, layerTable[band].height);
        if (meets(edges.bottom, edges.top))
            drawLayer(band, t * layerTable[band].driftSpeed + layerTable[band].phase);
    }

    const LayerDescriptor& outer = layerTable[kOuterOval];
    const double centre = 1.0 - 2.0 * outer.top;
    const double reach = std::hypot(outer.width, outer.height);  // the turned quad's half extent
    if (!meets(centre - reach, centre + reach))
        return;
    const double p = ovalPosition(t, outer.driftSpeed, outer.phase);
    double copies[3];
    const int count = ovalCopies(p, layerTable[kInnerOval].width, copies);
    for (int i = 0; i < count; ++i)
        drawOvals(copies[i], t);
}

bool CloudCompositor::compose(double T, const SurfaceRegion& region, int level)
{
    if (!ready_ || level < 0 || level >= levelCount())
        return false;
    OffscreenTarget& target = *levels_[level];
    if (!target.beginDrawing())
        return false;
    shownLevel_ = level;
    glPushAttrib(kCompositionState);
    glViewport(0, 0, target.width(), target.height());
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glDepthMask(GL_FALSE);
    // Unit 0 passes the texture through: white colour under modulation, the mask's
    // intensity as alpha in the one-pass blend.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, passes_ == LayerPasses::One ? GL_REPLACE : GL_MODULATE);
    glColor4d(1.0, 1.0, 1.0, 1.0);

    const double t = compositionTime(T);
    for (const TexelBox& box : region.boxes)
        composeInto(target, box, t);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    return target.endDrawing();
}

void CloudCompositor::bind()
{
    if (ready_)
        levels_[shownLevel_]->bindTexture();
}
