#include "tools/image/IcoWriter.h"

#include "tools/image/ByteWriter.h"

namespace {

std::vector<uint8_t> iconBitmap(const IconImage& image)
{
    const int size = image.colour.width();
    const uint32_t maskRow = ((static_cast<uint32_t>(size) + 31) / 32) * 4;
    ByteWriter out;
    out.le32(40);
    out.le32(static_cast<uint32_t>(size));
    out.le32(static_cast<uint32_t>(size) * 2);  // colour and mask stacked
    out.le16(1);
    out.le16(32);
    out.le32(0);
    out.le32(static_cast<uint32_t>(size * size * 4) + maskRow * size);
    for (int i = 0; i < 4; ++i)
        out.le32(0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const Colour& c = image.colour.at(x, y);
            out.u8(toByte(c.b));
            out.u8(toByte(c.g));
            out.u8(toByte(c.r));
            out.u8(toByte(image.alpha[static_cast<size_t>(y) * size + x]));
        }
    for (int y = size - 1; y >= 0; --y)
        for (uint32_t byte = 0; byte < maskRow; ++byte) {
            uint32_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                int x = static_cast<int>(byte * 8) + bit;
                bool transparent = x >= size || image.alpha[static_cast<size_t>(y) * size + x] < 0.5f;
                bits |= (transparent ? 0x80u : 0u) >> bit;
            }
            out.u8(bits);
        }
    return out.bytes();
}

}  // namespace

std::vector<uint8_t> IcoWriter::encode(const std::vector<IconImage>& images)
{
    std::vector<std::vector<uint8_t>> bitmaps;
    for (const IconImage& image : images)
        bitmaps.push_back(iconBitmap(image));
    ByteWriter out;
    out.le16(0);
    out.le16(1);  // icon
    out.le16(static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].colour.width();
        out.u8(size >= 256 ? 0 : size);
        out.u8(size >= 256 ? 0 : size);
        out.u8(0);
        out.u8(0);
        out.le16(1);
        out.le16(32);
        out.le32(static_cast<uint32_t>(bitmaps[i].size()));
        out.le32(offset);
        offset += static_cast<uint32_t>(bitmaps[i].size());
    }
    for (const auto& bitmap : bitmaps)
        out.append(bitmap);
    return out.bytes();
}
