#include "tests/windows/fullscreen/ScreenWindow.h"

#include "tests/driver/Driver.h"

HWND waitForScreenWindow(DWORD pid, DWORD timeoutMs)
{
    HWND found = nullptr;
    driver::waitFor(
        [&] {
            for (HWND window : driver::topWindows(pid)) {
                if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST)
                    found = window;
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}
