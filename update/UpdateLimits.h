#pragma once
#include <cstddef>
#include <string>

// Everything in the product list document comes from the network and is treated
// as hostile: these rules decide what of it may reach the disk or the network.

// Largest bodies accepted; a longer one fails its download.
constexpr std::size_t maxDocumentBytes = 1u << 20;
constexpr std::size_t maxScreenshotBytes = 8u << 20;
constexpr std::size_t maxIconBytes = 1u << 20;

// An identifier becomes a directory name in the cache: one plain name of at most
// 64 characters, with no separators, wildcards, control characters, trailing dot or
// blank, and no reserved device name.
bool isSafeIdentifier(const std::string& identifier);

// Only plain HTTP is fetched: the URL must begin with "http://" (scheme in any
// letter case) and hold no control character or blank.
bool isHttpUrl(const std::string& url);
