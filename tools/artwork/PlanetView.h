#pragma once

#include "tools/image/IcoWriter.h"
#include "tools/image/Raster.h"

// Ray-cast stills of the ringed planet for the preview picture, icons and the
// contact sheet: orthographic view, lit by the sun, the planet's shadow on the rings.
class PlanetView {
public:
    struct Camera {
        double elevation;  // degrees above the ring plane
        double spin;  // turns of the surface under the viewer
        double halfHeight;  // planet radii from the picture's centre to its top
        double centreX, centreY;  // where the planet's centre lies, in planet radii
        double sun[3];  // direction toward the sun, camera space: x right, y up, z toward the viewer
    };

    // surface: the surface picture as bound to the mesh (top row at the south pole).
    PlanetView(const Raster& surface, const Raster& rings, const Raster& ringsMask);

    // Colour over black and coverage, supersampled.
    IconImage render(int width, int height, const Camera& camera, int samples) const;

private:
    struct Hit {
        Colour colour;
        double alpha;
    };
    Hit trace(const Camera& camera, double x, double y) const;

    const Raster& surface_;
    const Raster& rings_;
    const Raster& ringsMask_;
};
