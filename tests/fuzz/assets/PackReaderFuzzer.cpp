#include <cstdlib>

#include "assets/ResourcePack.h"

// Opens arbitrary bytes as a pack and extracts every member it lists, by its
// own name and by a case-folded one.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const names[] = {"a", "A.TXT", "b.bin", "Flare1.jpg", "flare1.jpg", ""};
    ResourcePack pack;
    if (!pack.openMemory(data, size))
        return 0;
    for (const char* name : names) {
        void* bytes = nullptr;
        if (pack.extract(name, &bytes) > 0)
            free(bytes);
    }
    pack.close();
    return 0;
}
