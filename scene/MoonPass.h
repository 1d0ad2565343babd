#pragma once
#include <cstdint>

#include "scene/SceneTextures.h"
#include "scene/Vec3.h"

// The four moons at scene time T, each with its glow sprite.
class MoonPass {
public:
    MoonPass() = default;
    MoonPass(const MoonPass&) = delete;
    MoonPass& operator=(const MoonPass&) = delete;
    ~MoonPass();

    void draw(double T, const SceneTextures& textures);
    // Deletes the spheres' display lists, in the current context.
    void release();

private:
    bool compile();

    int32_t list_ = -1;  // the first of the moons' textured spheres, compiled on first use
};

// A square sprite at c facing the screen; width and height in viewport widths.
// The caller binds the texture and sets colour and blending.
void drawScreenSprite(Vec3 c, double width, double height);
