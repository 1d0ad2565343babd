#include "render/Win32DisplayModes.h"

#include <windows.h>

#include "config/SettingsStore.h"
#include "framework/ClassicDevMode.h"
#include "framework/DeviceContext.h"

namespace {
bool sameMode(const DEVMODEA& a, const DEVMODEA& b)
{
    return a.dmPelsWidth == b.dmPelsWidth && a.dmPelsHeight == b.dmPelsHeight && a.dmBitsPerPel == b.dmBitsPerPel &&
           a.dmDisplayFrequency == b.dmDisplayFrequency;
}
}

DesktopMode Win32DisplayModes::desktop()
{
    DesktopMode mode;
    mode.width = GetSystemMetrics(SM_CXSCREEN);
    mode.height = GetSystemMetrics(SM_CYSCREEN);
    const WindowDC screen(nullptr);
    if (screen.get())
        mode.bitsPerPixel = GetDeviceCaps(screen.get(), BITSPIXEL);
    return mode;
}

bool Win32DisplayModes::requestFullScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    DEVMODEA DisplayModeRequest = classicDevMode();
    DisplayModeRequest.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    DisplayModeRequest.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
    DisplayModeRequest.dmPelsWidth = static_cast<DWORD>(width);
    DisplayModeRequest.dmPelsHeight = static_cast<DWORD>(height);
    return ChangeDisplaySettingsA(&DisplayModeRequest, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void Win32DisplayModes::fullScreenClientSize(int32_t& width, int32_t& height)
{
    width = GetSystemMetrics(SM_CXFULLSCREEN);
    height = GetSystemMetrics(SM_CYFULLSCREEN);
}

void Win32DisplayModes::saveSettings(const Settings& settings)
{
    SettingsStore().save(settings);
}

// A mode change costs tens to hundreds of milliseconds even when it changes nothing.
void Win32DisplayModes::restoreRegistryMode()
{
    DEVMODEA current = {};
    DEVMODEA registry = {};
    current.dmSize = registry.dmSize = sizeof(DEVMODEA);
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current) &&
        EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &registry) && sameMode(current, registry))
        return;
    ChangeDisplaySettingsA(nullptr, 0);
}
