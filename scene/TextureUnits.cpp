#include "scene/TextureUnits.h"

#include <string>

#include <GL/glext.h>

#include "assets/GlExtensions.h"

namespace {

// Core or ARB name, whichever the driver gives.
template <class Pointer> bool load(GlProcLoader loader, Pointer& pointer, const char* name)
{
    pointer = reinterpret_cast<Pointer>(loader(name));
    if (pointer == nullptr)
        pointer = reinterpret_cast<Pointer>(loader((std::string(name) + "ARB").c_str()));
    return pointer != nullptr;
}

// The version string's major and minor numbers reach major.minor.
bool versionAtLeast(const char* version, int major, int minor)
{
    if (version == nullptr || version[0] < '0' || version[0] > '9' || version[1] != '.')
        return false;
    const int haveMajor = version[0] - '0', haveMinor = version[2] - '0';
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}

}  // namespace

void TextureUnits::find(GlProcLoader loader)
{
    *this = TextureUnits();
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    if (loader == nullptr || units < 2 || !load(loader, activeTexture, "glActiveTexture") ||
        !load(loader, multiTexCoord2d, "glMultiTexCoord2d") || !load(loader, multiTexCoord2f, "glMultiTexCoord2f")) {
        *this = TextureUnits();
        return;
    }
    count = units;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    combine = versionAtLeast(version, 1, 3) || GlExtensions::listContains(extensions, "GL_ARB_texture_env_combine");
    crossbar = versionAtLeast(version, 1, 4) || GlExtensions::listContains(extensions, "GL_ARB_texture_env_crossbar");
    modulateAdd = combine && GlExtensions::listContains(extensions, "GL_ATI_texture_env_combine3");
}
