#include "assets/GlExtensionsWgl.h"

namespace {
template <class Pointer> void resolveInto(Pointer& pointer, const char* name)
{
    pointer = reinterpret_cast<Pointer>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

const char* glExtensionString()
{
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}
}

bool WglEntryPoints::resolveExtensionString()
{
    resolveInto(getExtensionsString, "wglGetExtensionsStringARB");
    return getExtensionsString != nullptr;
}

void WglEntryPoints::resolve(WglExtension extension)
{
    switch (extension) {
    case WglExtension::Pbuffer:
        resolveInto(createPbuffer, "wglCreatePbufferARB");
        resolveInto(getPbufferDC, "wglGetPbufferDCARB");
        resolveInto(releasePbufferDC, "wglReleasePbufferDCARB");
        resolveInto(destroyPbuffer, "wglDestroyPbufferARB");
        resolveInto(queryPbuffer, "wglQueryPbufferARB");
        break;
    case WglExtension::PixelFormat:
        resolveInto(getPixelFormatAttribiv, "wglGetPixelFormatAttribivARB");
        resolveInto(getPixelFormatAttribfv, "wglGetPixelFormatAttribfvARB");
        resolveInto(choosePixelFormat, "wglChoosePixelFormatARB");
        break;
    case WglExtension::RenderTexture:
        resolveInto(bindTexImage, "wglBindTexImageARB");
        resolveInto(releaseTexImage, "wglReleaseTexImageARB");
        resolveInto(setPbufferAttrib, "wglSetPbufferAttribARB");
        break;
    }
}

WglEntryPoints& WglEntryPoints::instance()
{
    static WglEntryPoints entryPoints;
    return entryPoints;
}

GlExtensions& WglEntryPoints::extensions()
{
    static GlExtensions flags(instance());
    return flags;
}

bool WglEntryPoints::hasAnisotropic()
{
    return extensions().checkAnisotropic(glExtensionString());
}

bool WglEntryPoints::hasGenerateMipmap()
{
    return extensions().checkGenerateMipmap(glExtensionString());
}

const char* WglEntryPoints::wglExtensionString(HDC dc)
{
    WglEntryPoints& entryPoints = instance();
    return entryPoints.getExtensionsString ? entryPoints.getExtensionsString(dc) : nullptr;
}
