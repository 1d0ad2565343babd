#pragma once
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include "assets/GlExtensions.h"

// The WGL extension entry points, resolved with wglGetProcAddress while a
// rendering context is current. A pointer the driver does not give stays null.
class WglEntryPoints : public ExtensionResolver {
public:
    PFNWGLGETEXTENSIONSSTRINGARBPROC getExtensionsString = nullptr;
    PFNWGLCREATEPBUFFERARBPROC createPbuffer = nullptr;
    PFNWGLGETPBUFFERDCARBPROC getPbufferDC = nullptr;
    PFNWGLRELEASEPBUFFERDCARBPROC releasePbufferDC = nullptr;
    PFNWGLDESTROYPBUFFERARBPROC destroyPbuffer = nullptr;
    PFNWGLQUERYPBUFFERARBPROC queryPbuffer = nullptr;
    PFNWGLGETPIXELFORMATATTRIBIVARBPROC getPixelFormatAttribiv = nullptr;
    PFNWGLCHOOSEPIXELFORMATARBPROC choosePixelFormat = nullptr;
    PFNWGLBINDTEXIMAGEARBPROC bindTexImage = nullptr;
    PFNWGLRELEASETEXIMAGEARBPROC releaseTexImage = nullptr;

    bool resolveExtensionString() override;
    void resolve(WglExtension extension) override;

    // The process-wide entry points and the flags that say which exist.
    static WglEntryPoints& instance();
    static GlExtensions& extensions();

    // The WGL extension string of a device context; null without the entry point.
    static const char* wglExtensionString(HDC dc);
};
