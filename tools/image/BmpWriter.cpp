#include "tools/image/BmpWriter.h"

#include "tools/image/ByteWriter.h"
#include "tools/image/PalettePicture.h"

namespace {

constexpr uint32_t fileHeaderSize = 14, infoHeaderSize = 40;

uint32_t rowBytes(int width, int bitsPerPixel)
{
    return ((static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void headers(ByteWriter& out, int width, int height, int bitsPerPixel, uint32_t paletteEntries)
{
    const uint32_t offset = fileHeaderSize + infoHeaderSize + paletteEntries * 4;
    const uint32_t imageSize = rowBytes(width, bitsPerPixel) * static_cast<uint32_t>(height);
    out.u8('B');
    out.u8('M');
    out.le32(offset + imageSize);
    out.le32(0);
    out.le32(offset);
    out.le32(infoHeaderSize);
    out.le32(static_cast<uint32_t>(width));
    out.le32(static_cast<uint32_t>(height));
    out.le16(1);
    out.le16(static_cast<uint32_t>(bitsPerPixel));
    out.le32(0);  // BI_RGB
    out.le32(imageSize);
    out.le32(2835);  // 72 dpi
    out.le32(2835);
    out.le32(paletteEntries);
    out.le32(0);
}

void padRow(ByteWriter& out, uint32_t written, uint32_t wanted)
{
    for (; written < wanted; ++written)
        out.u8(0);
}

}  // namespace

std::vector<uint8_t> BmpWriter::encode24(const Raster& picture)
{
    ByteWriter out;
    headers(out, picture.width(), picture.height(), 24, 0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Colour& c = picture.at(x, y);
            out.u8(toByte(c.b));
            out.u8(toByte(c.g));
            out.u8(toByte(c.r));
        }
        padRow(out, static_cast<uint32_t>(picture.width()) * 3, rowBytes(picture.width(), 24));
    }
    return out.bytes();
}

std::vector<uint8_t> BmpWriter::encode8(const PalettePicture& picture)
{
    ByteWriter out;
    headers(out, picture.width, picture.height, 8, static_cast<uint32_t>(picture.palette.size()));
    for (const auto& entry : picture.palette) {
        out.u8(entry[2]);
        out.u8(entry[1]);
        out.u8(entry[0]);
        out.u8(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x)
            out.u8(picture.indices[static_cast<size_t>(y) * picture.width + x]);
        padRow(out, static_cast<uint32_t>(picture.width), rowBytes(picture.width, 8));
    }
    return out.bytes();
}
