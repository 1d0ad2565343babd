#include "GeneratedPack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

uint32_t le16(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}
uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return le16(b, at) | (le16(b, at + 2) << 16);
}

struct Bitmap {
    int width = 0, height = 0, bitsPerPixel = 0;
    uint32_t paletteEntries = 0, pixelOffset = 0;
    std::vector<uint8_t> bytes;

    // B, G, R of a pixel of a bottom-up 24-bit bitmap, (0, 0) the top-left pixel.
    uint32_t rgb(int x, int y) const
    {
        size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        size_t at = pixelOffset + (height - 1 - y) * stride + x * 3;
        return (bytes[at + 2] << 16) | (bytes[at + 1] << 8) | bytes[at];
    }
};

Bitmap readBitmap(const char* name)
{
    Bitmap bmp;
    bmp.bytes = readOutput(name);
    const std::vector<uint8_t>& b = bmp.bytes;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || le32(b, 2) != b.size() || le32(b, 14) != 40)
        return bmp;
    bmp.width = static_cast<int>(le32(b, 18));
    bmp.height = static_cast<int>(le32(b, 22));
    bmp.bitsPerPixel = static_cast<int>(le16(b, 28));
    bmp.paletteEntries = le32(b, 46);
    bmp.pixelOffset = le32(b, 10);
    size_t stride = (static_cast<size_t>(bmp.width) * bmp.bitsPerPixel / 8 + 3) / 4 * 4;
    if (le32(b, 30) != 0 || bmp.pixelOffset + stride * bmp.height != b.size())
        bmp.width = 0;
    return bmp;
}

TEST(ResourceFiles, ThePreviewIsAPaletteBitmapOfOneHundredNinetyTwoByOneHundredFortyFour)
{
    Bitmap bmp = readBitmap("preview145.bmp");
    EXPECT_EQ(bmp.width, 192);
    EXPECT_EQ(bmp.height, 144);
    EXPECT_EQ(bmp.bitsPerPixel, 8);
    EXPECT_GT(bmp.paletteEntries, 64u);
    EXPECT_LE(bmp.paletteEntries, 256u);
    EXPECT_EQ(bmp.pixelOffset, 54u + 4u * bmp.paletteEntries);
    for (size_t i = bmp.pixelOffset; i < bmp.bytes.size(); ++i)
        ASSERT_LT(bmp.bytes[i], bmp.paletteEntries);
}

TEST(ResourceFiles, TheListCellsAreSixPicturesOnMagenta)
{
    Bitmap bmp = readBitmap("cells138.bmp");
    ASSERT_EQ(bmp.width, 192);
    ASSERT_EQ(bmp.height, 32);
    ASSERT_EQ(bmp.bitsPerPixel, 24);
    for (int cell = 0; cell < 6; ++cell) {
        int x0 = cell * 32, drawn = 0;
        EXPECT_EQ(bmp.rgb(x0, 0), 0xFF00FFu) << cell;
        EXPECT_EQ(bmp.rgb(x0 + 31, 31), 0xFF00FFu) << cell;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                drawn += bmp.rgb(x0 + x, y) != 0xFF00FFu;
        EXPECT_GT(drawn, 150) << cell;
        EXPECT_LT(drawn, 900) << cell;
    }
}

std::set<int> iconSizes(const char* name)
{
    std::vector<uint8_t> b = readOutput(name);
    std::set<int> sizes;
    if (b.size() < 6 || le16(b, 0) != 0 || le16(b, 2) != 1)
        return sizes;
    for (uint32_t i = 0; i < le16(b, 4); ++i) {
        size_t entry = 6 + 16 * i;
        uint32_t length = le32(b, entry + 8), offset = le32(b, entry + 12);
        int size = b[entry];
        // Each image is a 32-bit bitmap header of twice its height (colour and mask).
        if (offset + length <= b.size() && le32(b, offset) == 40 && le32(b, offset + 4) == uint32_t(size) &&
            le32(b, offset + 8) == uint32_t(2 * size) && le16(b, offset + 14) == 32)
            sizes.insert(size);
    }
    return sizes;
}

TEST(ResourceFiles, IconsCarrySixteenAndThirtyTwoPixelImages)
{
    std::set<int> program = iconSizes("zandor128.ico"), decorative = iconSizes("deco136.ico");
    EXPECT_TRUE(program.count(16) && program.count(32));
    EXPECT_TRUE(decorative.count(16) && decorative.count(32));
}

TEST(ResourceFiles, TheContactSheetIsAPng)
{
    std::vector<uint8_t> png = readOutput("contact-sheet.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin(), png.begin() + 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

}  // namespace
