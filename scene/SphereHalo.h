#pragma once
#include "scene/Vec3.h"

// A camera-facing sprite covering the outline of a unit sphere at c, times scale,
// turned so local +y points up the screen, then by roll degrees. The caller binds
// the texture and sets the blend function.
void drawSphereHalo(Vec3 c, double scale, double alpha, double roll);

// The glow of a sphere's rim toward a light near it on the sky: a wide ring (flare
// texture 7) and a thin crescent (flare texture 9).
void drawSunRimGlow(Vec3 c, double r, Vec3 light, unsigned wideTexture, unsigned thinTexture);
