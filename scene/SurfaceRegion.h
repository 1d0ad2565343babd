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

// How the planet samples its surface: a mipmapped texture whose level 0 is width x
// height and each further level half the one before, up to maximumLevel; read at the
// two levels trilinear filtering would blend with levelBias added to the level of
// detail (the planet reads the nearer of them), up to anisotropy samples
// along the longer axis, on a viewport viewportHeight pixels high (and of the view's
// aspect).
struct SurfaceSampling {
    int width = 2048;
    int height = 1024;
    int maximumLevel = 0;
    double levelBias = 0.0;
    double anisotropy = 1.0;
    int viewportHeight = 768;
};

// For each level, the part of the surface (u = longitude in turns, v = (latitude + 90
// degrees) / 180) that the view can sample at that level, in that level's texels, in
// tiles of a 32 x 16 grid with margins for linear filtering and for the mesh's flat
// triangles. A tile is needed at the finest level that any shown point of it can reach
// and at every coarser one. The whole of every level when the eye is on or inside the
// planet.
std::vector<SurfaceRegion> sampledSurfaceRegions(const PlanetView& view, const SurfaceSampling& sampling);

// The part of a width x height surface texture without levels that the view shows.
SurfaceRegion visibleSurfaceRegion(const PlanetView& view, int width, int height);
