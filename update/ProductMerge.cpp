#include "update/ProductMerge.h"

#include <algorithm>

#include "resources/ProductStrings.h"

namespace {
bool listed(const ProductList& list, const std::string& identifier)
{
    return std::any_of(list.begin(), list.end(), [&](const ProductEntry& row) { return row.identifier == identifier; });
}
}

void mergeProductList(const std::vector<FamilyEntry>& installed, const std::vector<ProductRecord>& records,
                      ProductList& list)
{
    list.clear();
    for (const FamilyEntry& member : installed) {
        if (member.identifier != STR_PRODUCT_ID)
            list.push_back({member.identifier, member.title, {}, {}, {}, {}, {}, member.executablePath});
    }
    for (const ProductRecord& record : records) {
        if (!listed(list, record.identifier))
            list.push_back({record.identifier,
                            record.title,
                            record.version,
                            record.description,
                            record.downloadUrl,
                            record.screenshot,
                            record.icon,
                            {}});
    }
}
