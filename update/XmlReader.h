#pragma once

#include <string>
#include <vector>

// One run of text of a document, keyed by the dotted names of the elements around it.
struct XmlEntry {
    std::string path;
    std::string value;
};

// Flattens a small XML document (nested elements, text, declarations) into
// path/value entries in document order and answers lookups by path.
class XmlReader {
public:
    // Reads the whole file as bytes and parses it. False when the file cannot be
    // read or memory runs out (entries untouched), else the result of parse.
    bool loadFile(const char* path);

    // Replaces the entries with those of a zero-terminated text. On any error
    // the entries are left empty and false is returned.
    bool parse(const char* text);

    // First entry whose whole path equals key, ignoring ASCII letter case.
    bool getString(const char* key, std::string& out) const;

    // The same lookup, read as "%d" reads it; a value without digits gives 0,
    // one beyond the int range gives the nearest limit.
    bool getInt(const char* key, int& out) const;

    const std::vector<XmlEntry>& entries() const { return entries_; }

private:
    bool build(const char* text);
    const XmlEntry* find(const char* key) const;

    std::vector<XmlEntry> entries_;
};
