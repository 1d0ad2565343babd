#include "assets/GlExtensions.h"

#include <cstring>

bool GlExtensions::listContains(const char* list, const char* name)
{
    if (!list || !name)
        return false;
    size_t nameLength = std::strlen(name);
    bool found = false;
    for (const char* token = list;;) {
        const char* space = std::strchr(token, ' ');
        size_t length = space ? static_cast<size_t>(space - token) : std::strlen(token);
        // An empty token (two spaces in a row) never matches.
        if (length != 0 && length == nameLength && std::memcmp(token, name, length) == 0)
            found = true;
        if (!space)
            return found;
        token = space + 1;
    }
}

bool GlExtensions::scan(const char* list, const char* name, uint8_t& flag)
{
    if (!list)
        return false;
    if (listContains(list, name))
        flag = 1;
    return flag != 0;
}

bool GlExtensions::loadExtensionString()
{
    extensionString_ = resolver_.resolveExtensionString() ? 1 : 0;
    return extensionString_ != 0;
}

bool GlExtensions::checkWgl(const char* list, const char* name, uint8_t& flag,
                            ExtensionResolver::WglExtension extension)
{
    if (!scan(list, name, flag))
        return false;
    resolver_.resolve(extension);
    return true;
}

bool GlExtensions::checkPbuffer(const char* list)
{
    return checkWgl(list, "WGL_ARB_pbuffer", pbuffer_, ExtensionResolver::WglExtension::Pbuffer);
}

bool GlExtensions::checkPixelFormat(const char* list)
{
    return checkWgl(list, "WGL_ARB_pixel_format", pixelFormat_, ExtensionResolver::WglExtension::PixelFormat);
}

bool GlExtensions::checkRenderTexture(const char* list)
{
    return checkWgl(list, "WGL_ARB_render_texture", renderTexture_, ExtensionResolver::WglExtension::RenderTexture);
}
