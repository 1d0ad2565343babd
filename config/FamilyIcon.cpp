#include "config/FamilyIcon.h"

namespace {
const int kIconSize = 32;
const DWORD kIconFormat = 0x30000;
const WORD kProgramIconGroup = 128;

// A resource's bytes inside the mapped file, with their size; null when missing.
const BYTE* resourceBytes(HMODULE module, LPCSTR name, LPCSTR type, DWORD& size)
{
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    return loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
}

HICON iconOf(HMODULE module)
{
    DWORD size = 0;
    const BYTE* group = resourceBytes(module, MAKEINTRESOURCEA(kProgramIconGroup), RT_GROUP_ICON, size);
    if (!group)
        return nullptr;
    const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, kIconSize, kIconSize, LR_DEFAULTCOLOR);
    const BYTE* picture = id > 0 ? resourceBytes(module, MAKEINTRESOURCEA(id), RT_ICON, size) : nullptr;
    if (!picture)
        return nullptr;
    return CreateIconFromResourceEx(const_cast<BYTE*>(picture), size, TRUE, kIconFormat, kIconSize, kIconSize,
                                    LR_DEFAULTCOLOR);
}
}

bool loadFamilyIcon(const std::string& executablePath, IconHandle& icon)
{
    icon.reset();
    const ModuleHandle module(LoadLibraryExA(executablePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module)
        return false;
    icon.reset(iconOf(module.get()));
    return true;
}
