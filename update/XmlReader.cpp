#include "update/XmlReader.h"

#include <expat.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "update/XmlEncodings.h"

namespace {

// Longest dotted path; deeper nesting fails, so entries cannot grow with the
// square of the document's size.
constexpr std::size_t maxPathLength = 1023;
// Paths and values of all entries together: bounds what entity expansion can make.
constexpr std::size_t maxEntryBytes = 32u << 20;
// Expat's own guard against entity expansion, engaged from this much output on.
constexpr unsigned long long expansionGuardBytes = 1u << 20;
constexpr float maxExpansion = 100.0f;
// Expat hands over names as "namespace URI, separator, local name".
constexpr char namespaceSeparator = '\x01';

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

bool isBlank(const std::string& text)
{
    for (char c : text) {
        if (!isSpace(c))
            return false;
    }
    return true;
}

std::string lowerAscii(const char* text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// Builds the entries from expat's callbacks. Text is collected between tags so
// that references, CDATA sections and comments inside one text join up.
class Flattener {
public:
    explicit Flattener(std::vector<XmlEntry>& entries) : entries_(entries) {}

    bool run(const char* bytes, std::size_t length)
    {
        XML_Parser parser = XML_ParserCreateNS(nullptr, namespaceSeparator);
        if (!parser)
            return false;
        parser_ = parser;
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &Flattener::onStart, &Flattener::onEnd);
        XML_SetCharacterDataHandler(parser, &Flattener::onText);
        XML_SetUnknownEncodingHandler(parser, &encodingHandler, nullptr);
        XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
        XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, expansionGuardBytes);
        XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, maxExpansion);
        const bool parsed = XML_Parse(parser, bytes, static_cast<int>(length), XML_TRUE) == XML_STATUS_OK && !failed_;
        XML_ParserFree(parser);
        return parsed;
    }

private:
    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char**)
    {
        static_cast<Flattener*>(self)->guard([&](Flattener& f) { f.open(name); });
    }
    static void XMLCALL onEnd(void* self, const XML_Char*)
    {
        static_cast<Flattener*>(self)->guard([](Flattener& f) { f.close(); });
    }
    static void XMLCALL onText(void* self, const XML_Char* text, int length)
    {
        static_cast<Flattener*>(self)->guard([&](Flattener& f) { f.text_.append(text, std::size_t(length)); });
    }

    // No exception may cross expat's C frames: memory running out stops the parse.
    template <class Step> void guard(Step step)
    {
        try {
            step(*this);
        } catch (const std::bad_alloc&) {
            fail();
        }
    }

    void fail()
    {
        failed_ = true;
        XML_StopParser(parser_, XML_FALSE);
    }

    void open(const char* name)
    {
        flushText(false);
        const char* local = std::strrchr(name, namespaceSeparator);
        local = local ? local + 1 : name;
        lengths_.push_back(path_.size());
        if (!path_.empty())
            path_ += '.';
        path_ += local;
        leaf_ = true;
        if (path_.size() > maxPathLength)
            fail();
    }

    void close()
    {
        // A leaf keeps its whole text, even when empty or blank.
        flushText(leaf_);
        path_.resize(lengths_.back());
        lengths_.pop_back();
        leaf_ = false;
    }

    void flushText(bool keepBlank)
    {
        if (keepBlank || !isBlank(text_))
            addEntry();
        text_.clear();
    }

    void addEntry()
    {
        entryBytes_ += path_.size() + text_.size();
        if (entryBytes_ > maxEntryBytes)
            return fail();
        entries_.push_back({path_, text_});
    }

    std::vector<XmlEntry>& entries_;
    XML_Parser parser_ = nullptr;
    std::string path_;
    std::vector<std::size_t> lengths_;
    std::string text_;
    bool leaf_ = false;
    std::size_t entryBytes_ = 0;
    bool failed_ = false;
};

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
    return read && parse(bytes.data(), bytes.size());
}

bool XmlReader::parse(const char* text)
{
    return parse(text, text ? std::strlen(text) : 0);
}

bool XmlReader::parse(const char* bytes, std::size_t length)
{
    entries_.clear();
    firstByPath_.clear();
    bool parsed = false;
    try {
        parsed = bytes != nullptr && build(bytes, length);
        if (parsed)
            index();
    } catch (const std::bad_alloc&) {
        parsed = false;
    }
    if (!parsed) {
        entries_.clear();
        firstByPath_.clear();
    }
    return parsed;
}

bool XmlReader::build(const char* bytes, std::size_t length)
{
    if (length > INT_MAX)
        return false;
    if (isBlank(std::string(bytes, length)))
        return true;
    return Flattener(entries_).run(bytes, length);
}

void XmlReader::index()
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        firstByPath_.emplace(lowerAscii(entries_[i].path.c_str()), i);
}

const XmlEntry* XmlReader::find(const char* key) const
{
    if (key == nullptr)
        return nullptr;
    try {
        const auto found = firstByPath_.find(lowerAscii(key));
        return found == firstByPath_.end() ? nullptr : &entries_[found->second];
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
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
