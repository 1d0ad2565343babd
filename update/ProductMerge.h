#pragma once
#include <vector>

#include "family/FamilyEntry.h"
#include "update/ProductEntry.h"

// Rebuilds the list: installed family members other than ourselves first, in the
// family list's order, then every document product no earlier row has the
// identifier of. An installed product always wins over its document entry.
void mergeProductList(const std::vector<FamilyEntry>& installed, const std::vector<ProductEntry>& products,
                      ProductList& list);
