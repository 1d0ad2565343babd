#include "update/PictureCheck.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "update/UpdateLimits.h"

namespace {
constexpr std::size_t fileHeaderBytes = 14;
constexpr std::size_t infoHeaderBytes = 40;
constexpr std::uint32_t uncompressed = 0;
constexpr std::uint32_t bitFields = 3;
// JPEG marker codes, the byte after a 0xFF; the first four have no segment length.
constexpr unsigned char markerStart = 0xFF;
constexpr unsigned char stuffedByte = 0x00;
constexpr unsigned char temporary = 0x01;
constexpr unsigned char firstRestart = 0xD0;
constexpr unsigned char lastRestart = 0xD7;
constexpr unsigned char startOfImage = 0xD8;
constexpr unsigned char endOfImage = 0xD9;

std::uint32_t little32(const std::vector<unsigned char>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

std::uint16_t little16(const std::vector<unsigned char>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// Marker by marker, skipping each segment by its length and, between markers, the
// scans' coded bytes (a 0xFF there is followed by a stuffed 0x00 or a restart marker):
// whole once the end-of-image marker comes, whatever follows it, as servers and
// cameras may add bytes after it. A thumbnail inside a segment is skipped with it.
bool isWholeJpeg(const std::vector<unsigned char>& b)
{
    const std::size_t n = b.size();
    if (n < 4 || b[0] != markerStart || b[1] != startOfImage)
        return false;
    std::size_t at = 2;
    for (;;) {
        while (at < n && b[at] != markerStart)
            ++at;
        while (at < n && b[at] == markerStart)
            ++at;
        if (at >= n)
            return false;
        const unsigned char marker = b[at++];
        if (marker == endOfImage)
            return true;
        if (marker == stuffedByte || marker == temporary || (marker >= firstRestart && marker <= lastRestart))
            continue;
        if (marker == startOfImage || n - at < 2)
            return false;
        const std::size_t length = static_cast<std::size_t>(b[at] << 8 | b[at + 1]);
        if (length < 2)
            return false;
        at += length;
    }
}

bool isWholeBitmap(const std::vector<unsigned char>& b)
{
    if (b.size() < fileHeaderBytes + infoHeaderBytes || b[0] != 'B' || b[1] != 'M')
        return false;
    const std::uint64_t fileSize = little32(b, 2);
    const std::uint64_t pixelsAt = little32(b, 10);
    const std::uint32_t compression = little32(b, 30);
    if (little32(b, 14) < infoHeaderBytes || (compression != uncompressed && compression != bitFields))
        return fileSize >= fileHeaderBytes + infoHeaderBytes && fileSize <= b.size();
    const std::int64_t width = static_cast<std::int32_t>(little32(b, 18));
    const std::int64_t height = static_cast<std::int32_t>(little32(b, 22));
    const std::uint64_t bits = little16(b, 28);
    if (width <= 0 || height == 0 || bits == 0)
        return false;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    return pixelsAt + stride * rows <= b.size();
}
}

bool isWholePicture(const std::vector<unsigned char>& bytes)
{
    return isWholeJpeg(bytes) || isWholeBitmap(bytes);
}

bool isWholePictureFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::vector<unsigned char> bytes;
    unsigned char chunk[16384];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= maxScreenshotBytes)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool read = std::ferror(file) == 0 && bytes.size() <= maxScreenshotBytes;
    std::fclose(file);
    return read && isWholePicture(bytes);
}
