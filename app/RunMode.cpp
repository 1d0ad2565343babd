#include "app/RunMode.h"

#include <cstdio>

namespace {
bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

struct ModeRow {
    char letter;
    RunMode mode;
};

// Tested in this order after a switch character.
const ModeRow modeTable[] = {
    {'c', RunMode::Configure},      {'s', RunMode::FullScreen},   {'p', RunMode::Preview},
    {'a', RunMode::PasswordChange}, {'1', RunMode::EmbeddedPage},
};
}

std::string trimArguments(const std::string& arguments)
{
    size_t first = 0;
    size_t last = arguments.size();
    while (first < last && isWhiteSpace(arguments[first]))
        ++first;
    while (last > first && isWhiteSpace(arguments[last - 1]))
        --last;
    return arguments.substr(first, last - first);
}

RunMode chooseRunMode(const std::string& arguments)
{
    if (arguments.empty())
        return RunMode::Configure;
    if (arguments.size() < 2 || (arguments[0] != '-' && arguments[0] != '/'))
        return RunMode::None;
    for (const ModeRow& row : modeTable) {
        if (arguments[1] == row.letter)
            return row.mode;
    }
    return RunMode::None;
}

uint64_t parsePreviewHandle(const char* word)
{
    const uint64_t limit = UINT64_C(0xFFFFFFFF);
    uint64_t value = 0;
    for (const char* p = word; p && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > limit)
            return 0;
    }
    return value;
}

bool parseEmbeddedHandle(const std::string& arguments, unsigned long& handle)
{
    return std::sscanf(arguments.c_str(), "-1:%lx", &handle) == 1;
}
