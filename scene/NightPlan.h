#pragma once
#include "assets/GlHeaders.h"
#include "assets/GlProcLoader.h"

// What the driver and the night picture allow the night passes to leave out: a second
// texture unit, found only where the driver has two and lets each unit's stage combine
// the other's texture (both passes in one), and the band about the equator where neither
// pass adds anything.
struct NightPlan {
    // Spelt out: Mesa's headers declare these types only where gl.h lacks version 1.3.
    void(APIENTRY* activeTexture)(GLenum) = nullptr;
    void(APIENTRY* multiTexCoord2f)(GLenum, GLfloat, GLfloat) = nullptr;
    // Degrees: the passes skip latitudes below this; 0 draws them all.
    double quietLatitude = 0.0;

    // Looks the entry points up in the current context (both null, one unit, where
    // anything is missing) and reads the night texture back for its quiet band.
    void find(GlProcLoader loader, unsigned nightTexture);
    bool twoUnits() const { return activeTexture != nullptr && multiTexCoord2f != nullptr; }

private:
    void findUnits(GlProcLoader loader);
    void findQuietBand(unsigned nightTexture);
};
