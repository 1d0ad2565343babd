#pragma once
#include <memory>

#include "assets/GlHeaders.h"
#include "assets/GlProcLoader.h"
#include "assets/OffscreenTarget.h"
#include "assets/TextureUpload.h"
#include "scene/LayerTable.h"
#include "scene/SceneBuffers.h"
#include "scene/SceneHost.h"
#include "scene/SurfaceRegion.h"

class ResourcePack;

// How each masked layer reaches the surface.
enum class LayerPasses {
    // Mask and layer in two texture units, one blended pass: surface x mask + layer.
    One,
    // The mask multiplies the surface, then the layer is added: two passes.
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

    // One pass per layer wherever the driver has two texture units; tests ask for two.
    void preferLayerPasses(LayerPasses passes) { preferred_ = passes; }

    // Takes a created target and loads the 24 layer and mask pictures into its
    // context. Runs with the window's context current and leaves it current; on
    // failure the target is released.
    bool create(std::unique_ptr<OffscreenTarget> target);
    void release();
    bool isReady() const { return ready_; }
    LayerPasses layerPasses() const { return passes_; }
    // Null before create.
    OffscreenTarget* target() { return target_.get(); }

    // Composes the surface for scene time T inside region only; the texels outside
    // keep what they had. The window's context and its GL state are as they were.
    bool compose(double T, const SurfaceRegion& region);
    // Binds the composed surface for the planet pass.
    void bind();

private:
    struct MultiTexture;
    bool loadContent();
    bool loadPictures(ResourcePack& pack, const char* pattern, UploadProfile profile, GLuint* names);
    void findMultiTexture();
    void composeInto(const TexelBox& box, double t);
    void drawLayer(int index, double u);
    void drawOvals(double p, double t);
    template <class Quad> void drawMasked(int index, Quad quad);

    SceneHost& host_;
    std::unique_ptr<OffscreenTarget> target_;
    GlProcLoader loader_;
    std::unique_ptr<MultiTexture> multiTexture_;
    LayerPasses preferred_ = LayerPasses::One;
    LayerPasses passes_ = LayerPasses::Two;
    bool ready_ = false;
    GLuint layerTextures_[layerCount] = {};
    GLuint maskTextures_[layerCount] = {};
    SceneBuffers layerBuffers_;
};
