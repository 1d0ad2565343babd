#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Owns one open registry key; closes it when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool open(HKEY parent, const char* name, REGSAM access = KEY_ALL_ACCESS);
    bool create(HKEY parent, const char* name, REGSAM access = KEY_ALL_ACCESS);
    void close();
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

    // A value of exactly four bytes, of any registry type.
    bool readDword(const char* name, int32_t& value) const;
    // A string value into a 1024-byte buffer; false when missing or unreadable.
    bool readString(const char* name, std::string& value) const;
    bool writeDword(const char* name, int32_t value) const;

private:
    HKEY key_ = nullptr;
};
