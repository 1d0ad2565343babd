#include "update/ProductMerge.h"

#include <algorithm>
#include <utility>

#include "resources/ProductStrings.h"

namespace {
bool listed(const ProductList& list, const std::string& identifier)
{
    return std::any_of(list.begin(), list.end(), [&](const ProductEntry& row) { return row.identifier == identifier; });
}
}

void mergeProductList(const std::vector<FamilyEntry>& installed, const std::vector<ProductEntry>& products,
                      ProductList& list)
{
    list.clear();
    for (const FamilyEntry& member : installed) {
        if (member.identifier == STR_PRODUCT_ID)
            continue;
        ProductEntry row;
        row.identifier = member.identifier;
        row.title = member.title;
        row.executablePath = member.executablePath;
        list.push_back(std::move(row));
    }
    for (const ProductEntry& product : products) {
        if (!listed(list, product.identifier))
            list.push_back(product);
    }
}
