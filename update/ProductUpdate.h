#pragma once
#include <string>
#include <vector>

#include "update/ProductEntry.h"
#include "update/ProductRecord.h"
#include "update/ProgressSink.h"

// Downloads the product list document from url into the cache, reads it, and
// fetches each product's screenshot and icon the cache does not hold yet. The
// records then name the cached files. Reports through the sink when there is one.
// On failure the records are empty; files written so far stay in the cache.
bool updateProductsOnline(const std::string& url, ProgressSink* sink, std::vector<ProductRecord>& records);

// Reads the records from the cached document alone; the image paths are those
// of the cache, whether the files are there or not.
bool loadCachedProducts(std::vector<ProductRecord>& records);

// Rebuilds the list the settings dialog shows: the installed family members,
// then the products of the document, updated online or read from the cache.
// Always true; a failed online update says so in a message box.
bool rebuildProductList(ProductList& list, bool online, ProgressSink* sink);
