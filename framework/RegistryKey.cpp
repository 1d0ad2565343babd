#include "framework/RegistryKey.h"

#include <cstring>

bool RegistryKey::open(HKEY parent, const char* name, REGSAM access)
{
    key_.reset();
    HKEY opened = nullptr;
    if (RegOpenKeyExA(parent, name, 0, access, &opened) != ERROR_SUCCESS)
        return false;
    key_.reset(opened);
    return true;
}

bool RegistryKey::create(HKEY parent, const char* name, REGSAM access)
{
    key_.reset();
    HKEY created = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return false;
    key_.reset(created);
    return true;
}

bool RegistryKey::readDword(const char* name, int32_t& value) const
{
    BYTE buffer[4];
    DWORD size = sizeof buffer;
    // A shorter value would leave part of the field stale, so only whole four-byte values count.
    if (RegQueryValueExA(key_.get(), name, nullptr, nullptr, buffer, &size) != ERROR_SUCCESS || size != sizeof buffer)
        return false;
    std::memcpy(&value, buffer, sizeof value);
    return true;
}

bool RegistryKey::readString(const char* name, std::string& value) const
{
    char buffer[1024];
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
    value = buffer;
    return true;
}

bool RegistryKey::writeDword(const char* name, int32_t value) const
{
    DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(key_.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}
