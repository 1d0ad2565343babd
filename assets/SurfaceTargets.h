#pragma once
#include <memory>

#include "assets/OffscreenTarget.h"

// The kinds of off-screen target the planet's surface can be composed into.
enum class SurfaceTargetKind { Framebuffer, Pbuffer };

// A target of that kind, not yet created; null when memory runs out.
std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind kind);

// The platform's GL entry-point lookup for the current context.
void* glProcAddress(const char* name);
