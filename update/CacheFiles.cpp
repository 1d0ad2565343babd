#include "update/CacheFiles.h"

#include <windows.h>

#include <io.h>

#include <cstdio>

#include "resources/ProductStrings.h"

namespace {
const char kProbeName[] = "testfilename001.fileext";
const char kProbeText[] = "12345";

// Where a file's new bytes go before they replace it; a folder is its own.
std::string sideFileOf(const std::string& path)
{
    return path.empty() || path.back() == '\\' ? path : path + STR_PARTIAL_SUFFIX;
}
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

// A file is probed through the side file it is written to first, never in its own
// place: a program killed during the probe must not leave an empty file there.
bool makeDirectoriesFor(const std::string& path)
{
    const std::string probe = sideFileOf(path);
    if (canWriteFile(probe))
        return true;
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    return canWriteFile(probe);
}

// The bytes go to a file beside the target first and replace it only once they are
// all on disk, so a failure or a killed program leaves the old file whole.
bool writeWholeFile(const std::string& path, const char* bytes, std::size_t length)
{
    makeDirectoriesFor(path);
    const std::string partial = sideFileOf(path);
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes, 1, length, file) == length && std::fflush(file) == 0 &&
                         FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
    const bool closed = std::fclose(file) == 0;
    if (written && closed &&
        MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    std::remove(partial.c_str());
    return false;
}
