#include "update/ProductCache.h"

#include "resources/ProductStrings.h"

std::string cacheFolder(const std::string& installPath)
{
    return installPath + STR_CACHE_FOLDER "\\";
}

std::string cachedDocumentPath(const std::string& installPath)
{
    return cacheFolder(installPath) + STR_CACHED_DOCUMENT;
}

std::string cachedScreenshotPath(const std::string& installPath, const std::string& identifier)
{
    return cacheFolder(installPath) + identifier + "\\" STR_CACHED_SCREENSHOT;
}

std::string cachedIconPath(const std::string& installPath, const std::string& identifier)
{
    return cacheFolder(installPath) + identifier + "\\" STR_CACHED_ICON;
}
