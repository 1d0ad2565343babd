#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestMember {
    std::string name;
    std::string bytes;
    bool deflated = true;
};

// A ZIP archive holding the members in the given order, as bytes.
std::vector<uint8_t> makeZip(const std::vector<TestMember>& members);
