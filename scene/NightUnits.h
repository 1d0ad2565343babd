#pragma once
#include "assets/GlHeaders.h"
#include "assets/GlProcLoader.h"

// The second texture unit, for drawing both night passes at once: found only where the
// driver has two units and lets each unit's stage combine the other's texture.
struct NightUnits {
    // Spelt out: Mesa's headers declare these types only where gl.h lacks version 1.3.
    void(APIENTRY* activeTexture)(GLenum) = nullptr;
    void(APIENTRY* multiTexCoord2f)(GLenum, GLfloat, GLfloat) = nullptr;

    // Looks the entry points up in the current context; leaves both null (one unit:
    // two passes) where anything is missing.
    void find(GlProcLoader loader);
    bool ready() const { return activeTexture != nullptr && multiTexCoord2f != nullptr; }
};
