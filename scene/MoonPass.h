#pragma once
#include "scene/SceneTextures.h"
#include "scene/Vec3.h"

struct GLUquadric;

// The four moons at scene time T, each with its glow sprite.
class MoonPass {
public:
    MoonPass() = default;
    MoonPass(const MoonPass&) = delete;
    MoonPass& operator=(const MoonPass&) = delete;
    ~MoonPass();

    void draw(double T, const SceneTextures& textures);

private:
    GLUquadric* quadric_ = nullptr;  // made on first use, reused every frame
};

// A square sprite at c facing the screen; width and height in viewport widths.
// The caller binds the texture and sets colour and blending.
void drawScreenSprite(Vec3 c, double width, double height);
