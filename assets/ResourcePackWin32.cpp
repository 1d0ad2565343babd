#include <cstdio>
#include <windows.h>

#include "assets/ResourcePack.h"

// The resource belongs to the program module: it is only located and locked here,
// never copied or freed.
bool ResourcePack::findResource(int resourceId, const void*& data, size_t& size)
{
    HRSRC located = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), "RFILE");
    HGLOBAL loaded = located ? LoadResource(nullptr, located) : nullptr;
    data = loaded ? LockResource(loaded) : nullptr;
    size = data ? SizeofResource(nullptr, located) : 0;
    return data != nullptr && size > 0;
}

bool ResourcePack::open(int resourceId)
{
    const void* data = nullptr;
    size_t size = 0;
    findResource(resourceId, data, size);
    char zipName[16];
    snprintf(zipName, sizeof zipName, "#%d", resourceId);
    return openNamed(data, size, zipName);
}
