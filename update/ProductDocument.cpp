#include "update/ProductDocument.h"

#include <cstdio>
#include <new>
#include <string>

#include "resources/ProductStrings.h"
#include "update/UpdateLimits.h"

namespace {
struct ProductKey {
    const char* suffix;
    std::string ProductEntry::*field;
};

// Read after ".ID", in this order.
const ProductKey productKeys[] = {
    {".Title", &ProductEntry::title},
    {".Version", &ProductEntry::version},
    {".Description.Text", &ProductEntry::description},
    {".Description.ScreenshotURL", &ProductEntry::screenshotUrl},
    {".Description.IconURL", &ProductEntry::iconUrl},
    {".DownloadURL", &ProductEntry::downloadUrl},
};

std::string productPrefix(int number)
{
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "English.ProductsList.Product%d", number);
    return prefix;
}

bool readProduct(const XmlReader& reader, const std::string& prefix, ProductEntry& record)
{
    for (const ProductKey& key : productKeys) {
        if (!reader.getString((prefix + key.suffix).c_str(), record.*key.field))
            return false;
    }
    return true;
}

bool readProducts(const XmlReader& reader, std::vector<ProductEntry>& records)
{
    int count = 0;
    if (!reader.getInt("English.ProductsList.Count", count))
        return false;
    for (int number = 1; number <= count; ++number) {
        const std::string prefix = productPrefix(number);
        ProductEntry record;
        if (!reader.getString((prefix + ".ID").c_str(), record.identifier))
            return false;
        if (record.identifier == STR_PRODUCT_ID || !isSafeIdentifier(record.identifier))
            continue;
        if (!readProduct(reader, prefix, record))
            return false;
        records.push_back(std::move(record));
    }
    return true;
}
}

bool readProductDocument(const XmlReader& reader, std::vector<ProductEntry>& records)
{
    bool read = false;
    try {
        read = readProducts(reader, records);
    } catch (const std::bad_alloc&) {
        read = false;
    }
    if (!read)
        records.clear();
    return read;
}
