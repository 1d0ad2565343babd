#include "render/WindowsSceneHost.h"

#include "framework/MessageBox.h"
#include "render/ClosingInput.h"
#include "render/StartupMarks.h"

#include "assets/ResourcePack.h"
#include "assets/SurfaceTargets.h"
#include "resources/ProductStrings.h"

void WindowsSceneHost::showError(const char* text, unsigned iconKind)
{
    showMessage(owner_, text, MB_OK | (iconKind == ErrorIcon ? MB_ICONERROR : 0));
}

void WindowsSceneHost::requestQuit()
{
    PostQuitMessage(0);
}

uint32_t WindowsSceneHost::tickCount()
{
    return GetTickCount();
}

PackBytes WindowsSceneHost::packBytes()
{
    PackBytes bytes;
    ResourcePack::findResource(IDR_RESOURCE_PACK, bytes.data, bytes.size);
    return bytes;
}

std::unique_ptr<OffscreenTarget> WindowsSceneHost::makeSurfaceTarget(SurfaceTargetKind kind)
{
    return ::makeSurfaceTarget(kind);
}

GlProcLoader WindowsSceneHost::glProcLoader()
{
    return glProcAddress;
}

void WindowsSceneHost::startHelpers(bool (*work)(void* context), void* context)
{
    workers_.start(work, context);
}

void WindowsSceneHost::joinHelpers()
{
    workers_.join();
}

bool WindowsSceneHost::loadingStopped()
{
    return closingInputWaiting(owner_);
}

void WindowsSceneHost::startupPhase(const char* phase)
{
    markStartup(phase);
}
