#include "update/ProductCache.h"

std::string cacheFolder(const std::string& installPath)
{
    return installPath + "web\\";
}

std::string cachedDocumentPath(const std::string& installPath)
{
    return cacheFolder(installPath) + "update.xml";
}

std::string cachedScreenshotPath(const std::string& installPath, const std::string& identifier)
{
    return cacheFolder(installPath) + identifier + "\\screenshot.jpg";
}

std::string cachedIconPath(const std::string& installPath, const std::string& identifier)
{
    return cacheFolder(installPath) + identifier + "\\icon.bmp";
}
