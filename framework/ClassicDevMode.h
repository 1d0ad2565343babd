#pragma once
#include <windows.h>

#include <cstddef>

// A zeroed DEVMODE sized as the record was before the panning fields: it holds
// every field the display-mode calls here read or set, and every system takes it.
inline DEVMODEA classicDevMode()
{
    static_assert(offsetof(DEVMODEA, dmPanningWidth) == 148, "the classic record of 148 bytes");
    DEVMODEA mode = {};
    mode.dmSize = offsetof(DEVMODEA, dmPanningWidth);
    return mode;
}
