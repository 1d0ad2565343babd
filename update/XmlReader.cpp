#include "update/XmlReader.h"

#include <climits>
#include <cstdio>
#include <new>
#include <utility>

namespace {

// Longest tag content or text run the document format allows.
constexpr std::size_t maxTokenLength = 1023;

enum class TokenKind { open, close, text, end, error };

struct XmlToken {
    TokenKind kind;
    std::string text;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

// The stop character within the first maxTokenLength + 1 bytes, or null when
// the text ends first or the token would be too long.
const char* findWithinToken(const char* begin, char stop)
{
    for (std::size_t n = 0; n <= maxTokenLength; ++n) {
        if (begin[n] == stop)
            return begin + n;
        if (begin[n] == '\0')
            return nullptr;
    }
    return nullptr;
}

class XmlTokenizer {
public:
    explicit XmlTokenizer(const char* text) : pos_(text) {}

    XmlToken next()
    {
        const char* start = pos_;
        skipSpace();
        if (*pos_ == '\0')
            return {TokenKind::end, {}};
        if (*pos_ == '<')
            return tag();
        return textRun(start);
    }

private:
    void skipSpace()
    {
        while (isSpace(*pos_))
            ++pos_;
    }

    XmlToken tag()
    {
        ++pos_;
        skipSpace();
        // A "<" with nothing after it is a cut-off tag, not the end of a document.
        const char* end = findWithinToken(pos_, '>');
        if (end == nullptr)
            return {TokenKind::error, {}};
        std::string content(pos_, end);
        pos_ = end + 1;
        if (!content.empty() && content.front() == '/')
            return {TokenKind::close, content.substr(1)};
        if (!content.empty() && content.front() == '?' && content.back() == '?')
            return {TokenKind::open, {}};
        return {TokenKind::open, std::move(content)};
    }

    // Text keeps the white space skipped before it; the next tag must follow.
    XmlToken textRun(const char* start)
    {
        const char* end = findWithinToken(start, '<');
        if (end == nullptr)
            return {TokenKind::error, {}};
        pos_ = end;
        return {TokenKind::text, std::string(start, end)};
    }

    const char* pos_;
};

// Every entry copies its path, so a deeply nested document would need memory
// growing with the square of its size; paths stay within the token limit.
bool openElement(std::string& path, const std::string& name)
{
    if (name.empty())
        return true;
    const std::size_t separator = path.empty() ? 0 : 1;
    if (name.size() + separator > maxTokenLength - path.size())
        return false;
    if (separator != 0)
        path += '.';
    path += name;
    return true;
}

// Only the trailing characters are checked against the closing name.
bool closeElement(std::string& path, const std::string& name)
{
    const std::size_t n = name.size();
    if (n > path.size() || path.compare(path.size() - n, n, name) != 0)
        return false;
    if (path.size() <= n + 1) {
        path.clear();
    } else {
        path.resize(path.size() - n - 1);
    }
    return true;
}

int readDecimal(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && isSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool readWholeFile(std::FILE* file, std::string& bytes)
{
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    return std::ferror(file) == 0;
}

}  // namespace

bool XmlReader::loadFile(const char* path)
{
    if (path == nullptr)
        return false;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    std::string bytes;
    bool read = false;
    try {
        read = readWholeFile(file, bytes);
    } catch (const std::bad_alloc&) {
        read = false;
    }
    std::fclose(file);
    return read && parse(bytes.c_str());
}

bool XmlReader::parse(const char* text)
{
    entries_.clear();
    bool parsed = false;
    try {
        parsed = text != nullptr && build(text);
    } catch (const std::bad_alloc&) {
        parsed = false;
    }
    if (!parsed)
        entries_.clear();
    return parsed;
}

bool XmlReader::build(const char* text)
{
    XmlTokenizer tokens(text);
    std::string path;
    for (;;) {
        XmlToken token = tokens.next();
        switch (token.kind) {
        case TokenKind::open:
            if (!openElement(path, token.text))
                return false;
            break;
        case TokenKind::close:
            if (!closeElement(path, token.text))
                return false;
            break;
        case TokenKind::text:
            entries_.push_back({path, std::move(token.text)});
            break;
        case TokenKind::end:
            return path.empty();
        case TokenKind::error:
            return false;
        }
    }
}

const XmlEntry* XmlReader::find(const char* key) const
{
    if (key == nullptr)
        return nullptr;
    for (const XmlEntry& entry : entries_) {
        if (equalIgnoringCase(entry.path, key))
            return &entry;
    }
    return nullptr;
}

bool XmlReader::getString(const char* key, std::string& out) const
{
    const XmlEntry* entry = find(key);
    if (entry == nullptr)
        return false;
    try {
        out = entry->value;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool XmlReader::getInt(const char* key, int& out) const
{
    const XmlEntry* entry = find(key);
    if (entry == nullptr)
        return false;
    out = readDecimal(entry->value);
    return true;
}
