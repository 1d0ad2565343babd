#include "render/WindowsSceneHost.h"

#include <windows.h>

#include "framework/Application.h"
#include "framework/MessageBox.h"
#include "framework/Window.h"
#include "render/ClosingInput.h"
#include "render/StartupMarks.h"

#include "assets/ResourcePack.h"
#include "assets/SurfaceTargets.h"
#include "resources/ProductStrings.h"

namespace {
// The full-screen window; none before the application makes it.
HWND mainWindowHandle()
{
    Application* application = Application::instance();
    return application && application->mainWindow ? application->mainWindow->hwnd() : nullptr;
}
}

// Owned by the full-screen window so the box is not hidden behind it.
void WindowsSceneHost::showError(const char* text, unsigned iconKind)
{
    showMessage(mainWindowHandle(), text, MB_OK | (iconKind == ErrorIcon ? MB_ICONERROR : 0));
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
    return closingInputWaiting(mainWindowHandle());
}

void WindowsSceneHost::startupPhase(const char* phase)
{
    markStartup(phase);
}
