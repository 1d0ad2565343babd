#include "tools/image/PngWriter.h"

#include "tools/image/ByteWriter.h"

#include <cstring>
#include <string>

#include <zlib.h>

namespace {

void chunk(ByteWriter& out, const char* type, const std::vector<uint8_t>& data)
{
    out.be32(static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.append(typed);
    out.be32(static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

}  // namespace

std::vector<uint8_t> PngWriter::encode(const Raster& picture)
{
    const size_t stride = static_cast<size_t>(picture.width()) * 3;
    std::vector<uint8_t> rgb = picture.rgb8();
    std::vector<uint8_t> filtered;
    filtered.reserve((stride + 1) * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        filtered.push_back(0);
        filtered.insert(filtered.end(), rgb.begin() + y * stride, rgb.begin() + (y + 1) * stride);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(filtered.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, filtered.data(), static_cast<uLong>(filtered.size()), 9) != Z_OK)
        return {};
    packed.resize(packedSize);

    ByteWriter header;
    header.be32(static_cast<uint32_t>(picture.width()));
    header.be32(static_cast<uint32_t>(picture.height()));
    header.u8(8);  // bit depth
    header.u8(2);  // truecolour
    header.u8(0);
    header.u8(0);
    header.u8(0);
    ByteWriter out;
    out.append(std::string("\x89PNG\r\n\x1a\n", 8));
    chunk(out, "IHDR", header.bytes());
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out.bytes();
}
