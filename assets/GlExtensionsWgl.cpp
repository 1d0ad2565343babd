#include "assets/GlExtensionsWgl.h"

namespace {
template <class Pointer> void resolveInto(Pointer& pointer, const char* name)
{
    pointer = reinterpret_cast<Pointer>(reinterpret_cast<void*>(wglGetProcAddress(name)));
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
        resolveInto(choosePixelFormat, "wglChoosePixelFormatARB");
        break;
    case WglExtension::RenderTexture:
        resolveInto(bindTexImage, "wglBindTexImageARB");
        resolveInto(releaseTexImage, "wglReleaseTexImageARB");
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

const char* WglEntryPoints::wglExtensionString(HDC dc)
{
    WglEntryPoints& entryPoints = instance();
    return entryPoints.getExtensionsString ? entryPoints.getExtensionsString(dc) : nullptr;
}
