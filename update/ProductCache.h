#pragma once
#include <string>

// Where the update keeps what it downloaded: the folder "web\" directly under the
// installation path (which ends with a backslash), the last product list document
// in it, and one folder per product identifier with its screenshot and icon.
std::string cacheFolder(const std::string& installPath);
std::string cachedDocumentPath(const std::string& installPath);
std::string cachedScreenshotPath(const std::string& installPath, const std::string& identifier);
std::string cachedIconPath(const std::string& installPath, const std::string& identifier);
