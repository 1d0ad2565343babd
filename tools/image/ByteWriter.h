#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Appends little- and big-endian fields for the file formats the tools write.
class ByteWriter {
public:
    void u8(uint32_t v) { bytes_.push_back(static_cast<uint8_t>(v)); }
    void le16(uint32_t v)
    {
        u8(v);
        u8(v >> 8);
    }
    void le32(uint32_t v)
    {
        le16(v);
        le16(v >> 16);
    }
    void be32(uint32_t v)
    {
        u8(v >> 24);
        u8(v >> 16);
        u8(v >> 8);
        u8(v);
    }
    void append(const std::vector<uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    void append(const std::string& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }

    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};
