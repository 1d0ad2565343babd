#pragma once
#include <array>
#include <cstddef>
#include <string>

// The texts of a product page that come from the network, made safe to show and use.

// Longest description line a page shows; longer lines are cut there.
constexpr std::size_t maxDescriptionLine = 255;

// The first three lines of a description; missing lines stay empty. The white
// space after a line break (blank lines, indents) is skipped, and lines are cut
// at maxDescriptionLine characters.
std::array<std::string, 3> splitDescription(const std::string& text);

// True only for links the shell may open: those beginning "http://" or "https://"
// (any case). Anything else handed to the shell could start a local program.
bool isWebLink(const std::string& link);
