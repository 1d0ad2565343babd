#pragma once
#include <string>

// One product as the product list document describes it. Once the update has
// run, screenshot and icon hold the paths of the cached files instead of URLs.
struct ProductRecord {
    std::string identifier;
    std::string title;
    std::string version;
    std::string description;
    std::string downloadUrl;
    std::string screenshot;
    std::string icon;
};
