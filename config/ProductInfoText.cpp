#include "config/ProductInfoText.h"

#include <algorithm>
#include <cctype>

namespace {
bool startsWithNoCase(const std::string& text, const char* prefix)
{
    std::size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= text.size() ||
            std::tolower(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    return true;
}
}

std::array<std::string, 3> splitDescription(const std::string& text)
{
    // A line is a run of characters up to a break; the white space after it (breaks
    // and blanks) is skipped. An empty run ends the split.
    std::array<std::string, 3> lines;
    std::size_t start = 0;
    for (std::string& line : lines) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end == start)
            break;
        line = text.substr(start, std::min(end - start, maxDescriptionLine));
        start = end;
        while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
            ++start;
    }
    return lines;
}

bool isWebLink(const std::string& link)
{
    return startsWithNoCase(link, "http://") || startsWithNoCase(link, "https://");
}
