#pragma once
#include <windows.h>

// The full-screen window of a running screensaver process: the visible top-most
// window (the loading box comes first and is not top-most); null after the time-out.
HWND waitForScreenWindow(DWORD pid, DWORD timeoutMs = 20000);
