#pragma once
#include "assets/RenderTexture.h"
#include "scene/LayerTable.h"
#include "scene/SceneBuffers.h"
#include "scene/SceneHost.h"

class ResourcePack;

// The planet's live surface: twelve cloud layers composed into the render texture's
// pbuffer once per frame, bands drifting and two storm ovals turning.
class CloudCompositor : public RenderTexture {
public:
    explicit CloudCompositor(SceneHost& host);
    ~CloudCompositor() override;

    int create(int32_t width, int32_t height) override;
    int release() override;
    // Loads the 24 layer and mask pictures in the pbuffer's context.
    int loadContent() override;
    // Composes the surface for scene time T; the window's context is current afterwards.
    virtual int compose(double T);

private:
    bool loadPictures(ResourcePack& pack, const char* pattern, GLuint* names);
    void setUpPbufferState();
    void drawLayer(int index, double u, bool masked);
    void drawOvals(double p, double t);

    SceneHost& host_;
    GLuint layerTextures_[layerCount] = {};
    GLuint maskTextures_[layerCount] = {};
    SceneBuffers layerBuffers_;
};
