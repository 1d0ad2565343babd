#pragma once
#include "assets/Image.h"
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

    // Takes the units the scene found, where they suffice.
    void useUnits(const TextureUnits& found) { units = found.allow(2, true) ? found : TextureUnits(); }
    // Finds the quiet band in the decoded night picture; none in a picture that is not
    // 24-bit colour.
    void readPicture(const Image& night);
    bool twoUnits() const { return units.allow(2, true); }
};
