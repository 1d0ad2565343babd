#pragma once
#include "scene/SceneTextures.h"
#include "scene/TextureUnits.h"

// The ring band in the equatorial plane: the mask darkens what lies behind, the picture
// adds a tenth of its brightness. One pass over two texture units where the driver
// combines textures, else two passes.
class RingPass {
public:
    // The units the scene found; with fewer than two, or without combiners, the rings
    // take two passes.
    void useUnits(const TextureUnits& units);
    // The mask must be an intensity picture: its alpha darkens the single pass.
    void draw(const SceneTextures& textures) const;
    bool singlePass() const { return units_.allow(2); }

private:
    void drawSinglePass(const SceneTextures& textures) const;
    void drawTwoPasses(const SceneTextures& textures) const;

    TextureUnits units_;
};
