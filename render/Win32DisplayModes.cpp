#include "render/Win32DisplayModes.h"

#include <windows.h>

#include <cstddef>

#include "config/Settings.h"

DesktopMode Win32DisplayModes::desktop()
{
    DesktopMode mode;
    mode.width = GetSystemMetrics(SM_CXSCREEN);
    mode.height = GetSystemMetrics(SM_CYSCREEN);
    if (HDC screen = GetDC(nullptr)) {
        mode.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
    }
    return mode;
}

bool Win32DisplayModes::requestFullScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    DEVMODEA DisplayModeRequest = {};
    // The record as it was before the panning fields: 148 bytes.
    DisplayModeRequest.dmSize = offsetof(DEVMODEA, dmPanningWidth);
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
    settings.save();
}
