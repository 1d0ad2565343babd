#pragma once
#include <string>

// The UTF-16 form of a UTF-8 text, for the wide (W) calls that show product texts
// in any script; invalid sequences become U+FFFD.
std::wstring widen(const std::string& utf8);
