#pragma once
#include <string>

// One installed product of the family, as its "List" value and product key describe it.
struct FamilyEntry {
    std::string title;
    std::string identifier;
    std::string executablePath;
};
