#pragma once
#include <cstdint>
#include <string>

enum class RunMode { None, Configure, FullScreen, Preview, PasswordChange, EmbeddedPage };

// The argument string without white space at either end.
std::string trimArguments(const std::string& arguments);

// The mode chosen from the first two characters of the lower-cased, trimmed arguments.
RunMode chooseRunMode(const std::string& arguments);

// The preview area's handle from the third command-line word: its leading decimal
// digits; no digits, or a number too large for a handle, give 0.
uint64_t parsePreviewHandle(const char* word);

// The host window's handle from "-1:" and hexadecimal digits; false when the prefix
// does not match or no digit follows.
bool parseEmbeddedHandle(const std::string& arguments, unsigned long& handle);
