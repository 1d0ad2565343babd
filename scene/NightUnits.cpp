#include "scene/NightUnits.h"

#include <GL/glext.h>

#include "assets/GlExtensions.h"

void NightUnits::find(GlProcLoader loader)
{
    *this = NightUnits();
    if (loader == nullptr)
        return;
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (units < 2 || !GlExtensions::listContains(extensions, "GL_ARB_texture_env_combine") ||
        !GlExtensions::listContains(extensions, "GL_ARB_texture_env_crossbar"))
        return;
    activeTexture = reinterpret_cast<decltype(activeTexture)>(loader("glActiveTexture"));
    multiTexCoord2f = reinterpret_cast<decltype(multiTexCoord2f)>(loader("glMultiTexCoord2f"));
    if (!ready())
        *this = NightUnits();
}
