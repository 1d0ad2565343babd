#pragma once
#include <string>
#include <vector>

// One row of the product list the settings dialog shows. Installed products carry
// identifier, title and executable path; products known only from the document
// carry the first seven fields and no executable path.
struct ProductEntry {
    std::string identifier;
    std::string title;
    std::string version;
    std::string description;
    std::string downloadUrl;
    std::string screenshotPath;
    std::string iconPath;
    std::string executablePath;
};

// Ordered rows; a row's position is its index.
using ProductList = std::vector<ProductEntry>;
