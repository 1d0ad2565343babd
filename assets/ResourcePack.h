#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/PackEntry.h"
#include "assets/ZipSource.h"

// The ZIP archive of scene files, read in place from one read-only block.
class ResourcePack {
public:
    ResourcePack() = default;
    ~ResourcePack() { close(); }
    ResourcePack(const ResourcePack&) = delete;
    ResourcePack& operator=(const ResourcePack&) = delete;

#ifdef _WIN32
    // The program's own RFILE resource with this identifier, in place; false and
    // nothing when there is none.
    static bool findResource(int resourceId, const void*& data, size_t& size);
    // Opens that resource.
    bool open(int resourceId);
#endif
    // The block must stay valid and unchanged until close.
    bool openMemory(const void* data, size_t size);
    // Byte count of the member (first match, ASCII case ignored) in a new
    // malloc'd buffer stored in *out; 0 on failure.
    size_t extract(const char* name, void** out);
    void close();

private:
    bool openNamed(const void* data, size_t size, const char* zipName);
    bool buildTable();
    const PackEntry* find(const char* name) const;
    void* readMember(const PackEntry& entry, size_t index);

    char displayName[256] = "_ResourceData";
    ZipSource source;
    void* zip = nullptr;
    uint32_t entryCount = 0;
    PackEntry* entries = nullptr;
};
