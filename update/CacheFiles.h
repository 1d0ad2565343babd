#pragma once
#include <cstddef>
#include <string>

// File helpers of the download cache. Paths use backslashes.

// True when the path is non-empty and the file opens for reading.
bool fileExists(const std::string& path);

// True when the file exists or one can be created, written and closed there (the
// probe is deleted again). A path ending in a backslash probes a file inside it.
bool canWriteFile(const std::string& path);

// Creates the folders leading to the file when it cannot be written yet; true
// when it can be written afterwards. The file itself is never touched.
bool makeDirectoriesFor(const std::string& path);

// Writes the bytes as the whole file, creating its folders. The file is replaced
// only when all of them are written: on failure the old file, if any, stays as it was.
bool writeWholeFile(const std::string& path, const char* bytes, std::size_t length);
