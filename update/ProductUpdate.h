#pragma once
#include <string>
#include <vector>

#include "family/FamilyEntry.h"
#include "update/ProductEntry.h"
#include "update/ProgressSink.h"
#include "update/UpdateOutcome.h"

// The cache lives below installPath, the installation folder the settings store
// keeps; an empty one gives noInstallPath.

// Downloads the product list document from url, reads it, and fetches each
// product's screenshot and icon the cache does not hold whole. Only when all of
// that succeeded does the new document replace the cached one, so the cache always
// holds the last good update. Reports through the sink and stops at its Cancel.
// On success the products name their cached files; otherwise they are empty.
UpdateOutcome updateProductsOnline(const std::string& installPath, const std::string& url, ProgressSink* sink,
                                   std::vector<ProductEntry>& products);

// Reads the products from the cached document alone; the image paths are those
// of the cache, whether the files are there or not.
UpdateOutcome loadCachedProducts(const std::string& installPath, std::vector<ProductEntry>& products);

// Rebuilds the list the settings dialog shows: the installed family members, then
// the products of the document, updated online or read from the cache. When an
// online update does not succeed, the list holds the cached products of the last
// good one. The outcome is the update's (or, offline, the cache's).
UpdateOutcome rebuildProductList(ProductList& list, const std::vector<FamilyEntry>& installed,
                                 const std::string& installPath, bool online, ProgressSink* sink);
