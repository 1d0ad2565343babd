#pragma once
#include <GL/gl.h>

#include "SceneHarness.h"
#include "scene/MoonPass.h"
#include "scene/NightPlan.h"
#include "scene/PlanetMesh.h"
#include "scene/RingPass.h"
#include "scene/ShapeData.h"
#include "scene/StarField.h"
#include "scene/SunPass.h"

// The sun on screen about two planet radii from the planet's centre, two moons in view:
// every pass draws something.
constexpr double kPassTime = 7828.5;
const Vec3 kSun{400.0, 400.0, 30.0};

// A real scene after a frame, with its own copies of the planet, stars, moons and sun,
// and the planet's triangles once more for drawing them by hand.
struct PassWorld {
    // The static surface path, so that the plain surface picture is there to bind.
    SceneRig rig{fixedStartSettings(0, 1), SurfacePath::Static};
    SceneBuffers buffers;
    PlanetMesh planet;  // with unit 1's coordinates where nightPlan are ready
    NightPlan nightPlan;
    ShapeData planetTriangles;
    StarField stars;
    RingPass rings;
    MoonPass moons;
    SunPass sun;
    GLuint probeTexture = 0;

    PassWorld();
    const SceneTextures& textures() { return rig.scene().textures(); }
};
