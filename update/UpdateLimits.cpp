#include "update/UpdateLimits.h"

#include <cstring>

namespace {
constexpr std::size_t maxIdentifierLength = 64;

const char* const reservedNames[] = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
};

char upperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isControl(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool equalsIgnoringCase(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i]) != b[i])
            return false;
    }
    return true;
}

// Windows treats "NUL", "nul.txt" and "Nul .x" alike: the name before the first dot,
// trailing blanks dropped, decides.
bool isReservedName(const std::string& identifier)
{
    std::string base = identifier.substr(0, identifier.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (const char* reserved : reservedNames) {
        if (equalsIgnoringCase(base, reserved))
            return true;
    }
    return false;
}
}

bool isSafeIdentifier(const std::string& identifier)
{
    if (identifier.empty() || identifier.size() > maxIdentifierLength)
        return false;
    for (char c : identifier) {
        if (isControl(c) || std::strchr("\\/:*?\"<>|", c) != nullptr)
            return false;
    }
    const char last = identifier.back();
    if (last == '.' || last == ' ')
        return false;
    return !isReservedName(identifier);
}

bool isHttpUrl(const std::string& url)
{
    static const char scheme[] = "HTTP://";
    const std::size_t schemeLength = sizeof scheme - 1;
    if (url.size() <= schemeLength || !equalsIgnoringCase(url.substr(0, schemeLength), scheme))
        return false;
    for (char c : url) {
        if (isControl(c) || c == ' ')
            return false;
    }
    return true;
}
