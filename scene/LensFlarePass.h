#pragma once
#include "scene/FlarePlan.h"
#include "scene/SceneTextures.h"
#include "scene/Vec3.h"

// The sun's lens flares: visibility from the depth buffer, then 28 screen sprites, the
// widest glows among them as one disc of rings shaded by the glow picture's profile
// (as sprites when the profile is empty).
void drawLensFlares(Vec3 sun, const SceneTextures& textures, const GlowProfile& glow = GlowProfile());

// One additive sprite in device coordinates; the GL state is left as it was found.
void drawFlareSprite(double centreX, double centreY, double angle, double halfWidth, double halfHeight, double alpha,
                     unsigned texture, float red, float green, float blue);
