#include "update/ProductDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "family/FamilyEntry.h"
#include "update/ProductMerge.h"
#include "update/UpdateLimits.h"

// Feeds whole documents through the reader and the product reader, then checks
// what the cache relies on: every product kept names one folder inside the
// cache, and the merged list holds each identifier once.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    XmlReader reader;
    reader.parse(text.data(), text.size());
    std::vector<ProductEntry> records;
    if (!readProductDocument(reader, records)) {
        if (!records.empty())
            std::abort();
        return 0;
    }
    for (const ProductEntry& record : records) {
        if (!isSafeIdentifier(record.identifier) || record.identifier == "ZANDOR3D")
            std::abort();
        const std::string& id = record.identifier;
        if (id == "." || id == ".." || id.find_first_of("\\/:") != std::string::npos)
            std::abort();
    }
    ProductList list;
    mergeProductList({{"Installed", "ALPHA", "C:\\a.scr"}}, records, list);
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            if (list[i].identifier == list[j].identifier)
                std::abort();
        }
    }
    return 0;
}
