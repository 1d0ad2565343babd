#include "assets/ResourcePack.h"

#include <cstdlib>
#include <minizip/unzip.h>

#include "assets/Trace.h"
#include "assets/ZipInput.h"

namespace {

// The archive's entry count is a 16-bit field.
constexpr uint64_t maxEntries = 65535;
// Deflate cannot expand more than 1032 to 1; larger claims are corrupt.
constexpr uint64_t maxDeflateRatio = 1032;
// Keeps every member's length inside one read of the reader's int result.
constexpr uint64_t maxMemberSize = 1u << 30;

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameNameIgnoringCase(const char* a, const char* b)
{
    while (*a && lowerAscii(*a) == lowerAscii(*b)) {
        ++a;
        ++b;
    }
    return lowerAscii(*a) == lowerAscii(*b);
}

// Only plain stored or deflated members whose size their data can hold.
bool plausibleMember(const unz_file_info& info, uint32_t archiveSize)
{
    uint64_t packed = info.compressed_size;
    uint64_t size = info.uncompressed_size;
    if ((info.flag & 1) != 0 || packed > archiveSize || size > maxMemberSize)
        return false;
    if (info.compression_method == 0)
        return packed == size;
    return info.compression_method == Z_DEFLATED && size <= (packed + 1) * maxDeflateRatio;
}

}  // namespace

bool ResourcePack::openMemory(const void* data, size_t size)
{
    return openNamed(data, size, "memory");
}

bool ResourcePack::openNamed(const void* data, size_t size, const char* zipName)
{
    close();
    source.data = static_cast<const uint8_t*>(data);
    source.size = size <= UINT32_MAX ? static_cast<uint32_t>(size) : 0;
    zlib_filefunc_def functions;
    makeZipInput(functions, source);
    zip = unzOpen2(zipName, &functions);
    unz_global_info info;
    if (zip && (unzGetGlobalInfo(zip, &info) != UNZ_OK || info.number_entry > maxEntries))
        close();
    if (!zip) {
        Trace("Can't open file \"%s\"", displayName);
        return false;
    }
    entryCount = static_cast<uint32_t>(info.number_entry);
    if (!buildTable()) {
        Trace("Not enought memory to load pak file \"%s\"", displayName);
        close();
        return false;
    }
    return true;
}

bool ResourcePack::buildTable()
{
    if (entryCount == 0)
        return true;
    entries = static_cast<PackEntry*>(calloc(entryCount, sizeof(PackEntry)));
    if (!entries)
        return false;
    int status = unzGoToFirstFile(zip);
    for (uint32_t index = 0; index < entryCount; ++index) {
        PackEntry& entry = entries[index];
        unz_file_info info;
        unz_file_pos position;
        if (status == UNZ_OK)
            status = unzGetCurrentFileInfo(zip, &info, entry.name, sizeof entry.name, nullptr, 0, nullptr, 0);
        entry.usable = status == UNZ_OK && info.size_filename < sizeof entry.name &&
                       info.uncompressed_size <= UINT32_MAX && unzGetFilePos(zip, &position) == UNZ_OK;
        if (entry.usable) {
            entry.uncompressedSize = static_cast<uint32_t>(info.uncompressed_size);
            entry.directoryPosition = static_cast<uint32_t>(position.pos_in_zip_directory);
        } else {
            entry.name[0] = '\0';
        }
        if (status == UNZ_OK)
            status = unzGoToNextFile(zip);
    }
    return true;
}

const PackEntry* ResourcePack::find(const char* name) const
{
    for (uint32_t index = 0; index < entryCount; ++index) {
        if (entries[index].usable && sameNameIgnoringCase(entries[index].name, name))
            return &entries[index];
    }
    return nullptr;
}

size_t ResourcePack::extract(const char* name, void** out)
{
    const PackEntry* entry = zip && name ? find(name) : nullptr;
    if (!entry) {
        Trace("File \"%s:%s\" not found", displayName, name ? name : "");
        return 0;
    }
    *out = nullptr;
    if (entry->uncompressedSize == 0) {
        Trace("File \"%s:%s\" is empty", displayName, name);
        return 0;
    }
    void* buffer = readMember(*entry, static_cast<size_t>(entry - entries));
    if (!buffer) {
        Trace("Can't extract file \"%s:%s\"", displayName, name);
        return 0;
    }
    *out = buffer;
    return entry->uncompressedSize;
}

void* ResourcePack::readMember(const PackEntry& entry, size_t index)
{
    unz_file_pos position;
    position.pos_in_zip_directory = entry.directoryPosition;
    position.num_of_file = index;
    unz_file_info info;
    if (unzGoToFilePos(zip, &position) != UNZ_OK ||
        unzGetCurrentFileInfo(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        !plausibleMember(info, source.size))
        return nullptr;
    void* buffer = malloc(entry.uncompressedSize);
    if (!buffer || unzOpenCurrentFile(zip) != UNZ_OK) {
        free(buffer);
        return nullptr;
    }
    int bytesRead = unzReadCurrentFile(zip, buffer, entry.uncompressedSize);
    // The reader checks the CRC-32 once the whole member has been read.
    bool intact = unzCloseCurrentFile(zip) == UNZ_OK;
    if (!intact || bytesRead < 0 || static_cast<uint32_t>(bytesRead) != entry.uncompressedSize) {
        free(buffer);
        return nullptr;
    }
    return buffer;
}

void ResourcePack::close()
{
    if (zip)
        unzClose(zip);
    zip = nullptr;
    free(entries);
    entries = nullptr;
    entryCount = 0;
}
