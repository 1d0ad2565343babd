#pragma once
#include "assets/GlHeaders.h"
#include "assets/GlProcLoader.h"
#include "scene/SceneTextures.h"

// The ring band in the equatorial plane: the mask darkens what lies behind, the picture
// adds a tenth of its brightness. One pass over two texture units where the driver
// combines textures, else two passes.
class RingPass {
public:
    // Looks up the multitexture entry points in the current context; without them (or
    // without a loader) the rings take two passes.
    void resolve(GlProcLoader loader);
    // The mask must be an intensity picture: its alpha darkens the single pass.
    void draw(const SceneTextures& textures) const;
    bool singlePass() const { return activeTexture_ != nullptr; }

private:
    void drawSinglePass(const SceneTextures& textures) const;
    void drawTwoPasses(const SceneTextures& textures) const;

    void(APIENTRY* activeTexture_)(GLenum) = nullptr;
    void(APIENTRY* multiTexCoord2d_)(GLenum, GLdouble, GLdouble) = nullptr;
};
