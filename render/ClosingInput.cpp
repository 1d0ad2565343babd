#include "render/ClosingInput.h"

namespace {
// Key releases, keys with Alt and pointer moves do not end a run.
const UINT kClosingInput[] = {WM_KEYDOWN, WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
}

bool closingInputWaiting(HWND window)
{
    MSG message;
    if (PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_NOREMOVE | PM_QS_POSTMESSAGE))
        return true;
    for (UINT input : kClosingInput) {
        if (PeekMessageA(&message, nullptr, input, input, PM_NOREMOVE | PM_QS_INPUT))
            return true;
    }
    return false;
}
