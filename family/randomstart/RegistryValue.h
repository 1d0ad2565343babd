#pragma once

#include <cstdint>
#include <string>

// A registry value as a query returned it: its type code and its data bytes.
struct RegistryValue {
    static constexpr std::uint32_t typeString = 1;  // REG_SZ
    static constexpr std::uint32_t typeDword = 4;  // REG_DWORD

    std::uint32_t type = 0;
    std::string bytes;

    // String data up to its terminator; data that lacks one ends with its bytes.
    std::string text() const { return bytes.substr(0, bytes.find('\0')); }
};
