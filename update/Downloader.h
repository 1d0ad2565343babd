#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Fetches an http:// URL through WinInet with the system's proxy settings and
// gives the whole body as the server sent it, whatever its HTTP status. Returns
// the body's length, or -1 (body empty) when the URL is not plain HTTP, every
// attempt to reach it failed, memory ran out or the body grew beyond maxBytes.
long long downloadUrl(const std::string& url, std::size_t maxBytes, std::vector<char>& body);
