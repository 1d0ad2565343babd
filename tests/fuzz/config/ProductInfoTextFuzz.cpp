// A product page's texts come from the network: any description splits into at
// most three lines of at most 255 characters taken from the text itself, and the
// link rule answers for any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/ProductInfoText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : splitDescription(text)) {
        if (line.size() > maxDescriptionLine || line.find('\n') != std::string::npos ||
            text.find(line) == std::string::npos)
            std::abort();
    }
    if (isWebLink(text) && text.size() < 7)
        std::abort();
    return 0;
}
