#include "tests/linux/GlxSceneRig.h"

#include <cstdio>
#include <new>

#include "assets/FramebufferTarget.h"

namespace {

void* glxProcAddress(const char* name)
{
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

bool GlxSceneHost::readPack(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        pack.insert(pack.end(), block, block + got);
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok && !pack.empty();
}

void GlxSceneHost::showError(const char* text, unsigned)
{
    std::fprintf(stderr, "scene: %s\n", text);
    ++failures;
}

std::unique_ptr<OffscreenTarget> GlxSceneHost::makeSurfaceTarget(SurfaceTargetKind kind)
{
    if (kind != SurfaceTargetKind::Framebuffer)
        return nullptr;
    return std::unique_ptr<OffscreenTarget>(new (std::nothrow) FramebufferTarget(glxProcAddress));
}

GlProcLoader GlxSceneHost::glProcLoader()
{
    return glxProcAddress;
}

GlxWindow::~GlxWindow()
{
    if (context) {
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, context);
    }
}

bool GlxWindow::open(int width, int height)
{
    int request[] = {GLX_RGBA,
                     GLX_DOUBLEBUFFER,
                     GLX_RED_SIZE,
                     8,
                     GLX_GREEN_SIZE,
                     8,
                     GLX_BLUE_SIZE,
                     8,
                     GLX_DEPTH_SIZE,
                     24,
                     GLX_STENCIL_SIZE,
                     8,
                     None};
    if (display == nullptr)
        return false;
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), request);
    if (visual == nullptr)
        return false;
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes attributes = {};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    window = XCreateWindow(display, root, 0, 0, width, height, 0, visual->depth, InputOutput, visual->visual,
                           CWColormap, &attributes);
    XMapWindow(display, window);
    context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    return context != nullptr && glXMakeCurrent(display, window, context);
}

bool openRig(GlxSceneHost& host, const char* packPath, GlxWindow& window, int width, int height)
{
    if (!host.readPack(packPath)) {
        std::fprintf(stderr, "cannot read the pack %s\n", packPath);
        return false;
    }
    if (!window.open(width, height)) {
        std::fprintf(stderr, "no double-buffered GL window on the display\n");
        return false;
    }
    return true;
}
