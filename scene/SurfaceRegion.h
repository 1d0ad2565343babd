#pragma once
#include <vector>

#include "scene/Vec3.h"

// A rectangle of texels of the planet's surface texture.
struct TexelBox {
    int x, y, width, height;
};

// The texels of the surface texture that one frame can sample, as boxes that do not
// overlap; none when the planet is out of view.
struct SurfaceRegion {
    std::vector<TexelBox> boxes;
};

// A camera as the scene places it (gluLookAt and gluPerspective) and the planet's
// pose: turned about +z and flattened along z.
struct PlanetView {
    Vec3 eye, centre, up;
    double fovyDegrees = 45.0;
    double aspect = 4.0 / 3.0;
    double turnDegrees = 0.0;
    double flattening = 1.0;
};

// The whole width x height texture.
SurfaceRegion wholeSurface(int width, int height);

// The part of a width x height surface texture (u = longitude in turns, v =
// (latitude + 90 degrees) / 180) that the view shows of the planet, in tiles of a
// 32 x 16 grid, with margins for linear filtering and for the mesh's flat
// triangles. The whole texture when the eye is on or inside the planet.
SurfaceRegion visibleSurfaceRegion(const PlanetView& view, int width, int height);

// How many times a width-texel surface can be halved while one texel still covers at
// most the square root of 2 pixels, of a viewport height pixels high, at the planet's
// point nearest the eye; from 0 to maximumLevel.
int surfaceLevel(const PlanetView& view, int viewportHeight, int width, int maximumLevel);
