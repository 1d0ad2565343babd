#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes the resource pack: a plain ZIP archive of deflated members, in the
// order added, with a fixed time stamp so the same inputs give the same bytes.
class PackWriter {
public:
    void add(const std::string& name, std::vector<uint8_t> bytes);
    bool write(const std::string& path) const;

    size_t memberCount() const { return members_.size(); }

private:
    struct Member {
        std::string name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Member> members_;
};
