#include "x11/X11SceneHost.h"

#include <GL/glx.h>

#include <cstdio>
#include <new>

#include "assets/FramebufferTarget.h"
#include "x11/EmbeddedPack.h"
#include "x11/MonotonicCounter.h"

namespace {
void* glxProcAddress(const char* name)
{
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}
}

void reportError(const char* text)
{
    std::fprintf(stderr, "zandor3d: %s\n", text);
}

void X11SceneHost::showError(const char* text, unsigned)
{
    reportError(text);
}

uint32_t X11SceneHost::tickCount()
{
    return static_cast<uint32_t>(MonotonicCounter::seconds() * 1000.0);
}

PackBytes X11SceneHost::packBytes()
{
    return embeddedPack();
}

// GLX pbuffers are not used: without framebuffer objects the planet shows its static surface.
std::unique_ptr<OffscreenTarget> X11SceneHost::makeSurfaceTarget(SurfaceTargetKind kind)
{
    if (kind != SurfaceTargetKind::Framebuffer)
        return nullptr;
    return std::unique_ptr<OffscreenTarget>(new (std::nothrow) FramebufferTarget(glxProcAddress));
}

GlProcLoader X11SceneHost::glProcLoader()
{
    return glxProcAddress;
}
