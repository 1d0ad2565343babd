#include <cstdio>
#include <windows.h>

#include "assets/ResourcePack.h"

bool ResourcePack::open(int resourceId)
{
    // The resource belongs to the program module: it is only located and
    // locked here, never copied or freed.
    HRSRC located = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), "RFILE");
    HGLOBAL loaded = located ? LoadResource(nullptr, located) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = data ? SizeofResource(nullptr, located) : 0;
    char zipName[16];
    snprintf(zipName, sizeof zipName, "#%d", resourceId);
    return openNamed(data, size, zipName);
}
