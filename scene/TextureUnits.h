#pragma once
#include <cstddef>

#include "assets/GlHeaders.h"
#include "assets/GlProcLoader.h"

// The driver's texture units as the fixed-function passes use them: the multitexture
// entry points, how many units there are, and whether each unit's stage combines
// textures (GL 1.3's combiners), may read another unit's texture (the crossbar) and
// may multiply and add in one stage.
struct TextureUnits {
    // Spelt out: Mesa's headers declare these types only where gl.h lacks version 1.3.
    void(APIENTRY* activeTexture)(GLenum) = nullptr;
    void(APIENTRY* multiTexCoord2d)(GLenum, GLdouble, GLdouble) = nullptr;
    void(APIENTRY* multiTexCoord2f)(GLenum, GLfloat, GLfloat) = nullptr;
    int count = 1;
    bool combine = false;
    bool crossbar = false;
    // A stage can give arg0 x arg2 + arg1 (ATI_texture_env_combine3's modulate-add).
    bool modulateAdd = false;

    // Looks them up in the current context; without a loader, or without the entry
    // points, there is one unit.
    void find(GlProcLoader loader);
    // At least `units` units, combining, with the crossbar where asked for.
    bool allow(int units, bool needCrossbar = false) const
    {
        return count >= units && combine && (crossbar || !needCrossbar);
    }
};

// One setting of the active unit's texture environment.
struct EnvironmentSetting {
    GLenum name;
    GLint value;
};

template <size_t N> void setEnvironment(const EnvironmentSetting (&settings)[N])
{
    for (const EnvironmentSetting& setting : settings)
        glTexEnvi(GL_TEXTURE_ENV, setting.name, setting.value);
}
