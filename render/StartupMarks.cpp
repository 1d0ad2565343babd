#include "render/StartupMarks.h"

#include <windows.h>

#include <cstdio>

void markStartup(const char* phase)
{
    char line[96];
    std::snprintf(line, sizeof line, "Zandor3D startup: %s\n", phase);
    OutputDebugStringA(line);
}
