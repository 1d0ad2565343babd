#pragma once
#include <memory>

#include "assets/OffscreenTarget.h"

// A Windows target of that kind (a framebuffer object or a WGL pbuffer), not yet
// created; null when memory runs out.
std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind);

// wglGetProcAddress: the GL entry-point lookup for the current context.
void* glProcAddress(const char* name);
