#pragma once
#include "scene/SceneTextures.h"

// The ring band in the equatorial plane, in one pass: the mask (the picture's alpha)
// darkens what lies behind, the picture adds a tenth of its brightness.
class RingPass {
public:
    void draw(const SceneTextures& textures) const;
};
