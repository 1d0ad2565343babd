#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// One text of a document, keyed by the dotted names of the elements around it.
struct XmlEntry {
    std::string path;
    std::string value;
};

// Flattens an XML document into path/value entries in document order and answers
// lookups by path. Any well-formed document reads: comments, processing
// instructions, CDATA, a DOCTYPE, attributes (ignored), namespaces (local names
// kept), UTF-8, UTF-16 and 8-bit encodings. Values are UTF-8 with entity and
// character references decoded. A leaf element gives one entry with its whole
// text (empty for <a/>); inside an element with children, only texts that hold
// more than white space become entries. No external entity is ever fetched.
class XmlReader {
public:
    // Reads the whole file as bytes and parses it. False when the file cannot be
    // read or memory runs out (entries untouched), else the result of parse.
    bool loadFile(const char* path);

    // Replaces the entries with those of a document. On any error the entries
    // are left empty and false is returned. Empty or blank input reads as no entries.
    bool parse(const char* bytes, std::size_t length);
    // The same for a zero-terminated text.
    bool parse(const char* text);

    // First entry whose whole path equals key, ignoring ASCII letter case.
    bool getString(const char* key, std::string& out) const;

    // The same lookup, read as "%d" reads it; a value without digits gives 0,
    // one beyond the int range gives the nearest limit.
    bool getInt(const char* key, int& out) const;

    const std::vector<XmlEntry>& entries() const { return entries_; }

private:
    bool build(const char* bytes, std::size_t length);
    void index();
    const XmlEntry* find(const char* key) const;

    std::vector<XmlEntry> entries_;
    // Lower-case path to the first entry with it: documents of thousands of products stay quick.
    std::unordered_map<std::string, std::size_t> firstByPath_;
};
