#include "assets/SurfaceTargets.h"

#include <windows.h>

#include <new>

#include "assets/FramebufferTarget.h"
#include "assets/RenderTexture.h"

std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind)
{
    if (kind == SurfaceTargetKind::Framebuffer)
        return std::unique_ptr<OffscreenTarget>(new (std::nothrow) FramebufferTarget(glProcAddress));
    return std::unique_ptr<OffscreenTarget>(new (std::nothrow) RenderTexture);
}

void* glProcAddress(const char* name)
{
    return reinterpret_cast<void*>(wglGetProcAddress(name));
}
