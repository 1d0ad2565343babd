#pragma once
#include <string>
#include <vector>

// One product of the list the settings dialog shows. Installed products carry
// identifier, title and executable path; products known from the product list
// document carry its fields (texts in UTF-8) and, once read against the cache,
// the paths of their cached screenshot and icon, and no executable path.
struct ProductEntry {
    std::string identifier;
    std::string title;
    std::string version;
    std::string description;
    std::string downloadUrl;
    std::string screenshotUrl;
    std::string iconUrl;
    std::string screenshotPath;
    std::string iconPath;
    std::string executablePath;
};

// Ordered rows; a row's position is its index.
using ProductList = std::vector<ProductEntry>;
