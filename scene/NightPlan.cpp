#include "scene/NightPlan.h"

#include <cstddef>
#include <vector>

#include <GL/glext.h>

#include "scene/PlanetMath.h"

void NightPlan::find(const TextureUnits& found, unsigned nightTexture)
{
    *this = NightPlan();
    if (found.allow(2, true))
        units = found;
    findQuietBand(nightTexture);
}

// The binding and the pack alignment are pushed and popped.
void NightPlan::findQuietBand(unsigned nightTexture)
{
    if (nightTexture == 0)
        return;
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glBindTexture(GL_TEXTURE_2D, nightTexture);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width > 0 && height > 0) {
        std::vector<unsigned char> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        if (glGetError() == GL_NO_ERROR)
            quietLatitude = quietLatitudeOf(rgb.data(), width, height);
    }
    glPopClientAttrib();
    glPopAttrib();
}
