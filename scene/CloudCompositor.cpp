#include "scene/CloudCompositor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include <GL/glext.h>

#include "assets/ResourcePack.h"
#include "scene/CloudLayout.h"
#include "scene/MaskedLayer.h"
#include "scene/PackMembers.h"

namespace {

constexpr int kOuterOval = 10;
constexpr int kInnerOval = 11;

// Composition sets viewport, scissor, enables, blending, depth writes, culling,
// texture units, the current colour and both matrices; all of it is restored.
constexpr GLbitfield kCompositionState = GL_VIEWPORT_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT |
                                         GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT |
                                         GL_TRANSFORM_BIT;

// The whole target, and an oval's picture on it (before the oval's own transform).
constexpr CompositionPiece kWholeTarget = {-1.0, 1.0, 1.0, -1.0};
constexpr LayerPlacement kOvalPlacement = {0.0, 1.0, -1.0};

// A unit that takes its texture alone.
const EnvironmentSetting kTextureAlone[] = {{GL_TEXTURE_ENV_MODE, GL_REPLACE}};
// A band's one unit: what came before times the mask (the picture's alpha) plus the
// layer; the alpha is the masks' product.
const EnvironmentSetting kTimesMaskPlusLayer[] = {
    {GL_TEXTURE_ENV_MODE, GL_COMBINE}, {GL_COMBINE_RGB, GL_MODULATE_ADD_ATI}, {GL_SOURCE0_RGB, GL_PREVIOUS},
    {GL_OPERAND0_RGB, GL_SRC_COLOR},   {GL_SOURCE1_RGB, GL_TEXTURE},          {GL_OPERAND1_RGB, GL_SRC_COLOR},
    {GL_SOURCE2_RGB, GL_TEXTURE},      {GL_OPERAND2_RGB, GL_SRC_ALPHA},       {GL_COMBINE_ALPHA, GL_MODULATE},
    {GL_SOURCE0_ALPHA, GL_PREVIOUS},   {GL_OPERAND0_ALPHA, GL_SRC_ALPHA},     {GL_SOURCE1_ALPHA, GL_TEXTURE},
    {GL_OPERAND1_ALPHA, GL_SRC_ALPHA},
};
// A band's first of two units: what came before times the mask, in colour and in alpha.
const EnvironmentSetting kTimesMask[] = {
    {GL_TEXTURE_ENV_MODE, GL_COMBINE}, {GL_COMBINE_RGB, GL_MODULATE},     {GL_SOURCE0_RGB, GL_PREVIOUS},
    {GL_OPERAND0_RGB, GL_SRC_COLOR},   {GL_SOURCE1_RGB, GL_TEXTURE},      {GL_OPERAND1_RGB, GL_SRC_ALPHA},
    {GL_COMBINE_ALPHA, GL_MODULATE},   {GL_SOURCE0_ALPHA, GL_PREVIOUS},   {GL_OPERAND0_ALPHA, GL_SRC_ALPHA},
    {GL_SOURCE1_ALPHA, GL_TEXTURE},    {GL_OPERAND1_ALPHA, GL_SRC_ALPHA},
};
// The second: what came before plus the layer, the alpha kept.
const EnvironmentSetting kPlusLayer[] = {
    {GL_TEXTURE_ENV_MODE, GL_COMBINE}, {GL_COMBINE_RGB, GL_ADD},        {GL_SOURCE0_RGB, GL_PREVIOUS},
    {GL_OPERAND0_RGB, GL_SRC_COLOR},   {GL_SOURCE1_RGB, GL_TEXTURE},    {GL_OPERAND1_RGB, GL_SRC_COLOR},
    {GL_COMBINE_ALPHA, GL_REPLACE},    {GL_SOURCE0_ALPHA, GL_PREVIOUS}, {GL_OPERAND0_ALPHA, GL_SRC_ALPHA},
};

// One picture over a piece, in the current unit.
void drawPlaced(const LayerPlacement& placed, const CompositionPiece& piece)
{
    glBegin(GL_QUADS);
    for (int k = 0; k < 4; ++k) {
        const PlacedCorner c = placedCorner(piece, placed, k);
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, 0.1);
    }
    glEnd();
}

// A layer's picture on its band's rows.
LayerPlacement bandPlacement(int index, double u)
{
    const BandEdges edges = bandEdges(layerTable[index].top, layerTable[index].height);
    return {u, edges.top, edges.bottom};
}

}  // namespace

// Layers laid in texture units over one quad: the base alone in unit 0, then each
// band in the next unit or two; without the base the stack starts from black in unit 0
// and its masks' product leaves as alpha for the blend.
struct CloudCompositor::Stack {
    static constexpr int most = 4;
    int count = 0;
    bool overBase = false;
    int layers[most];
    LayerPlacement placed[most];
};

CloudCompositor::CloudCompositor(SceneHost& host, GlProcLoader loader) : host_(host), loader_(loader) {}

CloudCompositor::~CloudCompositor() = default;

void CloudCompositor::findUnits()
{
    units_.find(loader_);
    if (mostUnits_ > 0)
        units_.count = std::min(units_.count, mostUnits_);
    passes_ = preferred_;
    if (passes_ == LayerPasses::Merged && !(units_.allow(2) && units_.modulateAdd))
        passes_ = LayerPasses::Combined;
    if (passes_ == LayerPasses::Combined && !units_.allow(2))
        passes_ = LayerPasses::Two;
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
    strips_ = layerStrips(layerTable, 1, kOuterOval - 1);
    ready_ = true;
    return true;
}

void CloudCompositor::addPictures(PictureBatch& pictures)
{
    for (int i = 0; i < layerCount; ++i) {
        pictures.add(PackMembers::layer, i);
        pictures.add(PackMembers::layerMask, i);
    }
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

// Makes layer index's texture, and for two passes its mask's; the base's mask is never
// drawn. Composed at full size the bands map texel to texel, so their mipmaps, where
// the surface has levels, only come into play on the smaller ones.
bool CloudCompositor::uploadLayer(int index, const Image& layer, const Image& mask)
{
    if (!layer.pixels || !mask.pixels)
        return false;
    const bool mipmapped = levels_.size() > 1 && index < kOuterOval;
    if (passes_ == LayerPasses::Two || index == 0) {
        const UploadProfile profile = mipmapped ? UploadProfile::Mipmapped : UploadProfile::Sprite;
        layerTextures_[index] = uploadTexture(layer, profile);
        if (passes_ == LayerPasses::Two)
            maskTextures_[index] = uploadTexture(mask, profile);
        return layerTextures_[index] != 0 && (passes_ != LayerPasses::Two || maskTextures_[index] != 0);
    }
    Image merged = maskedLayer(layer, mask);
    layerTextures_[index] =
        uploadTexture(merged, mipmapped ? UploadProfile::MipmappedWithAlpha : UploadProfile::SpriteWithAlpha);
    std::free(merged.pixels);  // GL keeps its own copy
    return layerTextures_[index] != 0;
}

// Each layer and its mask from the batch, where they start at first, as soon as the
// pair is decoded.
bool CloudCompositor::uploadPictures(PictureBatch& pictures, int first)
{
    for (int i = 0; i < layerCount; ++i) {
        const int picture = first + 2 * i;
        const bool uploaded = uploadLayer(i, pictures.image(picture), pictures.image(picture + 1));
        pictures.release(picture);
        pictures.release(picture + 1);
        if (!uploaded) {
            host_.showError("Can't load pTexture.", SceneHost::ErrorIcon);
            return false;
        }
    }
    return true;
}

// The textures are made in the target's context: the pbuffer's own, or the window's.
bool CloudCompositor::loadContent(PictureBatch& pictures, int first)
{
    OffscreenTarget& target = *levels_[0];
    if (!target.beginDrawing())
        return false;
    findUnits();
    // Uploading binds textures and sets the unpack alignment; both are given back.
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    const bool loaded = uploadPictures(pictures, first);
    glPopClientAttrib();
    glPopAttrib();
    const bool back = target.endDrawing();
    return loaded && back;
}

// Lays a stack over each piece, all in one batch of quads.
void CloudCompositor::drawStack(const Stack& stack, const CompositionPiece* pieces, int count)
{
    setUpStack(stack);
    glBegin(GL_QUADS);
    for (int p = 0; p < count; ++p)
        for (int k = 0; k < 4; ++k) {
            int unit = 0;
            PlacedCorner c{};
            for (int i = 0; i < stack.count; ++i) {
                c = placedCorner(pieces[p], stack.placed[i], k);
                const int pictures = stack.overBase && i == 0 ? 1 : unitsPerBand();
                for (int j = 0; j < pictures; ++j)
                    units_.multiTexCoord2d(GL_TEXTURE0 + unit++, c.s, c.t);
            }
            glVertex3d(c.x, c.y, 0.1);  // the same place for every layer
        }
    glEnd();
}

// Sets the units' textures, combiners and coordinates, and the blend of a stack over
// the surface; composition's push of the texture state gives them back.
void CloudCompositor::setUpStack(const Stack& stack)
{
    int unit = 0;
    for (int i = 0; i < stack.count; ++i) {
        const int index = stack.layers[i];
        if (stack.overBase && i == 0) {
            units_.activeTexture(GL_TEXTURE0);
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, layerTextures_[index]);
            setEnvironment(kTextureAlone);
            ++unit;
            continue;
        }
        units_.activeTexture(GL_TEXTURE0 + unit++);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, layerTextures_[index]);
        if (passes_ == LayerPasses::Merged) {
            setEnvironment(kTimesMaskPlusLayer);
            continue;
        }
        setEnvironment(kTimesMask);
        units_.activeTexture(GL_TEXTURE0 + unit++);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, layerTextures_[index]);
        setEnvironment(kPlusLayer);
    }
    for (int rest = unit; rest < units_.count; ++rest) {
        units_.activeTexture(GL_TEXTURE0 + rest);
        glDisable(GL_TEXTURE_2D);
    }
    units_.activeTexture(GL_TEXTURE0);
    if (stack.overBase) {
        glDisable(GL_BLEND);
    } else {
        // surface x the masks' product + the stack's colour
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_SRC_ALPHA);
        glColor4d(0.0, 0.0, 0.0, 1.0);
    }
}

// The base and the bands of each strip, in stacks of as many layers as the units hold,
// over the parts of the boxes that the strip's rows cross: each stack is set up once
// for all the boxes of a level.
void CloudCompositor::composeStrips(double t, const std::vector<CompositionPiece>& boxes)
{
    const int firstStack = std::min((units_.count - 1) / unitsPerBand() + 1, int(Stack::most));
    const int laterStack = std::min(units_.count / unitsPerBand(), int(Stack::most));
    std::vector<CompositionPiece> pieces;
    for (const LayerStrip& strip : strips_) {
        piecesInRows(boxes, strip.top, strip.bottom, pieces);
        if (pieces.empty())
            continue;
        const int count = static_cast<int>(pieces.size());
        Stack stack;
        stack.overBase = true;
        stack.layers[stack.count] = 0;
        stack.placed[stack.count++] = bandPlacement(0, t * layerTable[0].driftSpeed);
        for (int band : strip.bands) {
            if (stack.count == (stack.overBase ? firstStack : laterStack)) {
                drawStack(stack, pieces.data(), count);
                stack = Stack();
            }
            stack.layers[stack.count] = band;
            stack.placed[stack.count++] = bandPlacement(band, t * layerTable[band].driftSpeed + layerTable[band].phase);
        }
        drawStack(stack, pieces.data(), count);
    }
}

// The mask multiplies the surface, then the layer is added.
void CloudCompositor::drawMasked(int index, const LayerPlacement& placed, const CompositionPiece& piece)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, maskTextures_[index]);
    drawPlaced(placed, piece);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, layerTextures_[index]);
    drawPlaced(placed, piece);
    glDisable(GL_BLEND);
}

// A band across the full width, its rows only.
void CloudCompositor::drawLayer(int index, double u)
{
    const LayerPlacement placed = bandPlacement(index, u);
    const CompositionPiece rows = {-1.0, 1.0, placed.pictureTop, placed.pictureBottom};
    if (index == 0) {
        glBindTexture(GL_TEXTURE_2D, layerTextures_[0]);
        drawPlaced(placed, rows);
        return;
    }
    drawMasked(index, placed, rows);
}

// The base, then each band that meets the box's rows, a layer at a time.
void CloudCompositor::composeBands(double t, const CompositionPiece& box)
{
    drawLayer(0, t * layerTable[0].driftSpeed);  // covers the whole surface: no clear needed
    for (int band = 1; band < kOuterOval; ++band) {
        const BandEdges edges = bandEdges(layerTable[band].top, layerTable[band].height);
        if (edges.top > box.bottom && edges.bottom < box.top)
            drawLayer(band, t * layerTable[band].driftSpeed + layerTable[band].phase);
    }
}

void CloudCompositor::drawOvals(double p, double t)
{
    for (int index : {kOuterOval, kInnerOval}) {
        const LayerDescriptor& oval = layerTable[index];
        glPushMatrix();
        glTranslated(2.0 * p - 1.0, 1.0 - 2.0 * oval.top, 0.0);
        glRotated(oval.spin * t * 360.0, 0.0, 0.0, 1.0);
        glScaled(oval.width, oval.height, oval.width);  // width x (height / width) aspect
        if (passes_ != LayerPasses::Two) {
            Stack stack;
            stack.layers[stack.count] = index;
            stack.placed[stack.count++] = kOvalPlacement;
            drawStack(stack, &kWholeTarget, 1);
        } else {
            drawMasked(index, kOvalPlacement, kWholeTarget);
        }
        glPopMatrix();
    }
}

// The ovals, where their turning quads can reach a box's rows.
void CloudCompositor::composeOvals(const CompositionPiece& box, double t)
{
    const LayerDescriptor& outer = layerTable[kOuterOval];
    const double centre = 1.0 - 2.0 * outer.top;
    const double reach = std::hypot(outer.width, outer.height);  // the turned quad's half extent
    if (!(centre + reach > box.bottom && centre - reach < box.top))
        return;
    const double p = ovalPosition(t, outer.driftSpeed, outer.phase);
    double copies[3];
    const int count = ovalCopies(p, layerTable[kInnerOval].width, copies);
    for (int i = 0; i < count; ++i)
        drawOvals(copies[i], t);
}

// Only the layers whose rows meet a box are drawn there; layers that miss it would draw
// nothing.
void CloudCompositor::composeInto(const OffscreenTarget& target, const SurfaceRegion& region, double t)
{
    std::vector<CompositionPiece> boxes;
    for (const TexelBox& box : region.boxes)
        boxes.push_back(texelBoxPiece(box, target.width(), target.height()));
    if (passes_ != LayerPasses::Two)
        composeStrips(t, boxes);
    // Two passes and the ovals draw whole quads: the scissor keeps them to each box.
    glEnable(GL_SCISSOR_TEST);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const TexelBox& box = region.boxes[i];
        glScissor(box.x, box.y, box.width, box.height);
        if (passes_ == LayerPasses::Two)
            composeBands(t, boxes[i]);
        composeOvals(boxes[i], t);
    }
}

bool CloudCompositor::compose(double T, const SurfaceRegion& region, int level)
{
    if (!ready_ || level < 0 || level >= levelCount())
        return false;
    OffscreenTarget& target = *levels_[level];
    if (!target.beginDrawing())
        return false;
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
    glDisable(GL_COLOR_MATERIAL);  // the stacks' colours must not reach the material
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);  // the strips keep to the boxes themselves
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glDepthMask(GL_FALSE);
    // Two passes modulate their textures by white; combined stacks set their own units.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4d(1.0, 1.0, 1.0, 1.0);

    composeInto(target, region, compositionTime(T));

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
        levels_[0]->bindTexture();
}
