#pragma once
#include "assets/GlProcLoader.h"
#include "scene/TextureUnits.h"

// What the driver and the night picture allow the night passes to leave out: a second
// texture unit, found only where the driver has two and lets each unit's stage combine
// the other's texture (both passes in one), and the band about the equator where neither
// pass adds anything.
struct NightPlan {
    // One unit where the driver lacks two, their combiners or the crossbar.
    TextureUnits units;
    // Degrees: the passes skip latitudes below this; 0 draws them all.
    double quietLatitude = 0.0;

    // Takes the units the scene found and reads the night texture back for its quiet band.
    void find(const TextureUnits& found, unsigned nightTexture);
    bool twoUnits() const { return units.allow(2, true); }

private:
    void findQuietBand(unsigned nightTexture);
};
