#include "render/MonitorBlanker.h"

namespace {
std::vector<RECT> secondaryMonitors()
{
    std::vector<RECT> found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            MONITORINFO info = {};
            info.cbSize = sizeof info;
            if (!GetMonitorInfoA(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY))
                return TRUE;
            // Nothing may be thrown through the system's enumeration.
            try {
                reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcMonitor);
            } catch (...) {
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
}

void MonitorBlanker::cover(HWND sceneWindow)
{
    uncover();
    for (const RECT& monitor : secondaryMonitors()) {
        auto window = std::make_unique<BlankWindow>(sceneWindow);
        if (window->create(monitor))
            windows_.push_back(std::move(window));
    }
}

void MonitorBlanker::uncover()
{
    // Without a hide first: under Wine each hide waits for a window manager. The
    // scene window's destroy steps repaint the desktop behind them.
    for (const auto& window : windows_)
        window->destroyUnhidden();
    windows_.clear();
}
