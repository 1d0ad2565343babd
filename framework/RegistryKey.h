#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/UniqueHandle.h"

// One open registry key, held by a KeyHandle, and the reads and writes of its values.
class RegistryKey {
public:
    bool open(HKEY parent, const char* name, REGSAM access = KEY_ALL_ACCESS);
    bool create(HKEY parent, const char* name, REGSAM access = KEY_ALL_ACCESS);
    HKEY get() const { return key_.get(); }
    explicit operator bool() const { return static_cast<bool>(key_); }

    // A value of exactly four bytes, of any registry type.
    bool readDword(const char* name, int32_t& value) const;
    // A string value into a 1024-byte buffer; false when missing or unreadable.
    bool readString(const char* name, std::string& value) const;
    bool writeDword(const char* name, int32_t value) const;

private:
    KeyHandle key_;
};
