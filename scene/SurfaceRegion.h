#pragma once
#include "scene/Vec3.h"

// A rectangle of texels of the planet's surface texture.
struct TexelBox {
    int x, y, width, height;
};

// The texels of the surface texture that one frame can sample: one box, or two
// where the visible longitudes cross the texture's left and right edge.
struct SurfaceRegion {
    int count = 0;
    TexelBox boxes[2] = {};
};

// The whole width x height texture.
SurfaceRegion wholeSurface(int width, int height);

// The part of a width x height surface texture that an eye can see on the planet's
// unit sphere (texture u = longitude in turns, v = (latitude + 90 degrees) / 180),
// with margins for linear filtering and for the mesh's flat triangles.
//   eye: in the sphere's own coordinates (turned and unflattened with the planet).
// The whole texture when the eye is on or inside the sphere.
SurfaceRegion visibleSurfaceRegion(Vec3 eye, int width, int height);

// The eye of a world-space camera in the coordinates of a planet turned by turnDegrees
// about +z and flattened to flattening along z.
Vec3 eyeInPlanetFrame(Vec3 eyeWorld, double turnDegrees, double flattening);
