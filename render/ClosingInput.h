#pragma once
#include <windows.h>

// Whether something that ends the run waits in this thread's queue: a close request
// for window, an ordinary key or a mouse button for any window of the thread (while
// loading, the loading box may hold the focus). It stays queued. Only input and
// posted messages are looked at, so no message handler runs in the middle of loading.
bool closingInputWaiting(HWND window);
