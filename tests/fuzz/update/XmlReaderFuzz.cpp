#include "update/XmlReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Parses arbitrary bytes and checks what a successful parse promises: paths
// within their limit and lookups that find the first entry of each path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    XmlReader reader;
    if (!reader.parse(reinterpret_cast<const char*>(data), size)) {
        if (!reader.entries().empty())
            std::abort();
        return 0;
    }
    for (const XmlEntry& entry : reader.entries()) {
        if (entry.path.empty() || entry.path.size() > 1023)
            std::abort();
        std::string value;
        int number = 0;
        if (!reader.getString(entry.path.c_str(), value) || !reader.getInt(entry.path.c_str(), number))
            std::abort();
    }
    return 0;
}
