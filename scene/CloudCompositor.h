#pragma once
#include <memory>
#include <vector>

#include "assets/GlHeaders.h"
#include "assets/GlProcLoader.h"
#include "assets/OffscreenTarget.h"
#include "assets/SurfaceSampling.h"
#include "assets/TextureUpload.h"
#include "scene/CloudLayout.h"
#include "scene/LayerStrip.h"
#include "scene/LayerTable.h"
#include "scene/PictureBatch.h"
#include "scene/SceneHost.h"
#include "scene/SurfaceRegion.h"
#include "scene/TextureUnits.h"

class ResourcePack;

// How the masked layers reach the surface.
enum class LayerPasses {
    // Each band's mask rides in its picture's alpha, and one texture unit gives
    // surface x mask + layer: each strip of rows between band edges in as few passes as
    // the units allow.
    Merged,
    // The same pictures in pairs of units, the first multiplying by the mask, the
    // second adding the layer.
    Combined,
    // The mask multiplies the surface, then the layer is added: two passes a layer.
    Two,
};

// The planet's live surface: twelve cloud layers composed into an off-screen target
// once per frame, bands drifting and two storm ovals turning.
class CloudCompositor {
public:
    // loader finds the multitexture entry points.
    CloudCompositor(SceneHost& host, GlProcLoader loader);
    CloudCompositor(const CloudCompositor&) = delete;
    CloudCompositor& operator=(const CloudCompositor&) = delete;
    ~CloudCompositor();

    // Merged wherever the driver has two texture units and their multiply-add, else
    // Combined where they combine; tests ask for the slower ways, or for fewer units
    // than the driver has, which splits the strips.
    void preferLayerPasses(LayerPasses passes, int mostUnits = 0)
    {
        preferred_ = passes;
        mostUnits_ = mostUnits;
    }

    // Takes created targets and loads the 24 layer and mask pictures from the pack
    // into their context. Each target after the first is a mip level of the first's
    // texture, of half the size before; with levels the bands are mipmapped so that
    // composing them smaller filters them. Runs with the window's context current and
    // leaves it current; on failure the targets are released.
    bool create(std::vector<std::unique_ptr<OffscreenTarget>> levels, ResourcePack& pack);
    // The same with the layer pictures from a batch, where they start at first.
    bool create(std::vector<std::unique_ptr<OffscreenTarget>> levels, PictureBatch& pictures, int first);
    // Adds each layer picture and then its mask to a batch.
    static void addPictures(PictureBatch& pictures);
    // Deletes the layer textures and releases the targets, with the window's context
    // current; the destructor makes no GL calls.
    void release();
    bool isReady() const { return ready_; }
    LayerPasses layerPasses() const { return passes_; }
    // The full-size target; null before create.
    OffscreenTarget* target() { return levels_.empty() ? nullptr : levels_[0].get(); }
    int levelCount() const { return static_cast<int>(levels_.size()); }

    // Samples the texture takes along its longer axis on the planet.
    float anisotropy() const { return levels_.empty() ? 1.0f : levels_[0]->anisotropy(); }
    // What the planet's sampling adds to the level of detail: only a surface with levels
    // has a bias.
    float levelBias() const { return levels_.size() > 1 ? surfaceLevelBias : 0.0f; }

    // Composes the surface for scene time T into one level, inside region only (in
    // that level's texels); the texels outside keep what they had. The window's
    // context and its GL state are as they were.
    bool compose(double T, const SurfaceRegion& region, int level = 0);
    // Binds the surface with all its levels, for the planet pass.
    void bind();

private:
    struct Stack;
    bool loadContent(PictureBatch& pictures, int first);
    void deleteTextures();
    bool uploadPictures(PictureBatch& pictures, int first);
    bool uploadLayer(int index, const Image& layer, const Image& mask);
    void findUnits();
    void composeInto(const OffscreenTarget& target, const SurfaceRegion& region, double t);
    void composeBands(double t, const CompositionPiece& box);
    void composeStrips(double t, const std::vector<CompositionPiece>& boxes);
    void composeOvals(const CompositionPiece& box, double t);
    void setUpStack(const Stack& stack);
    void drawStack(const Stack& stack, const CompositionPiece* pieces, int count);
    int unitsPerBand() const { return passes_ == LayerPasses::Merged ? 1 : 2; }
    void drawLayer(int index, double u);
    void drawOvals(double p, double t);
    void drawMasked(int index, const LayerPlacement& placed, const CompositionPiece& piece);

    SceneHost& host_;
    std::vector<std::unique_ptr<OffscreenTarget>> levels_;
    GlProcLoader loader_;
    LayerPasses preferred_ = LayerPasses::Merged;
    LayerPasses passes_ = LayerPasses::Two;
    int mostUnits_ = 0;
    TextureUnits units_;
    std::vector<LayerStrip> strips_;
    bool ready_ = false;
    GLuint layerTextures_[layerCount] = {};
    GLuint maskTextures_[layerCount] = {};  // two passes only: else in the layers' alpha
};
