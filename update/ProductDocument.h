#pragma once
#include <vector>

#include "update/ProductEntry.h"
#include "update/XmlReader.h"

// Appends the products of a parsed product list document, in document order. Our
// own product and products whose identifier cannot be a cache folder name are
// skipped. A product missing any of its keys rejects the whole document: the list
// is then emptied and false returned.
bool readProductDocument(const XmlReader& reader, std::vector<ProductEntry>& records);
