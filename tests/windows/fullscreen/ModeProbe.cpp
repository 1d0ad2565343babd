// Runs inside a Wine virtual desktop, where display modes can change: starts the
// screensaver given as its argument, notes the screen size while the window is
// up and after it closed, and leaves the figures in the registry for the test.
#include <windows.h>

#include <cstdlib>

#include "tests/driver/Driver.h"
#include "tests/windows/fullscreen/ModeProbeResults.h"

namespace {
// Waits for the screen width to become 'width'; the new size follows a mode change late.
int settledWidth(int width, DWORD timeoutMs)
{
    driver::waitFor([&] { return GetSystemMetrics(SM_CXSCREEN) == width; }, timeoutMs);
    return GetSystemMetrics(SM_CXSCREEN);
}

void record(const char* name, int value)
{
    driver::setDword(kModeProbeKey, name, static_cast<DWORD>(value));
}
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const int desktopWidth = GetSystemMetrics(SM_CXSCREEN);
    record(kDesktopWidth, desktopWidth);
    driver::Process process;
    if (!driver::start(argv[1], "/s", process))
        return 3;
    HWND window = driver::waitForScreenWindow(process.pid);
    record(kRunWidth, settledWidth(std::atoi(argv[2]), 5000));
    record(kRunHeight, GetSystemMetrics(SM_CYSCREEN));
    if (window)
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    DWORD code = 1;
    if (!driver::waitExit(process, 15000, code))
        driver::terminate(process);
    record(kExitCode, static_cast<int>(code));
    record(kRestoredWidth, settledWidth(desktopWidth, 5000));
    record(kRestoredHeight, GetSystemMetrics(SM_CYSCREEN));
    record(kDone, 1);
    return 0;
}
