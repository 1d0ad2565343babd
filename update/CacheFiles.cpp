#include "update/CacheFiles.h"

#include <windows.h>

#include <cstdio>

namespace {
const char kProbeName[] = "testfilename001.fileext";
const char kProbeText[] = "12345";
}

bool fileExists(const std::string& path)
{
    if (path.empty())
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

bool canWriteFile(const std::string& path)
{
    const std::string probe = !path.empty() && path.back() == '\\' ? path + kProbeName : path;
    if (fileExists(probe))
        return true;
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(kProbeText, 1, sizeof kProbeText - 1, file) == sizeof kProbeText - 1;
    const bool closed = std::fclose(file) == 0;
    std::remove(probe.c_str());
    return written && closed;
}

bool makeDirectoriesFor(const std::string& path)
{
    if (canWriteFile(path))
        return true;
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    return canWriteFile(path);
}

bool writeWholeFile(const std::string& path, const char* bytes, std::size_t length)
{
    makeDirectoriesFor(path);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes, 1, length, file) == length;
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return true;
    if (fileExists(path))
        std::remove(path.c_str());
    return false;
}
