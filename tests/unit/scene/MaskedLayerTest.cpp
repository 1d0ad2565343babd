#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "scene/MaskedLayer.h"

namespace {

// An image over bytes the test owns.
Image imageOf(std::vector<uint8_t>& bytes, int width, int height, int bitsPerPixel)
{
    Image image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = static_cast<uint8_t>(bitsPerPixel);
    image.pixels = bytes.data();
    return image;
}

TEST(MaskedLayer, TakesTheLayersColourAndTheMasksRedChannelAsAlpha)
{
    std::vector<uint8_t> layerBytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::vector<uint8_t> maskBytes = {100, 0, 0, 101, 0, 0, 102, 0, 0, 103, 0, 0};
    const Image merged = maskedLayer(imageOf(layerBytes, 2, 2, 24), imageOf(maskBytes, 2, 2, 24));
    ASSERT_NE(merged.pixels, nullptr);
    EXPECT_EQ(merged.bitsPerPixel, 32);
    const std::vector<uint8_t> pixels(merged.pixels, merged.pixels + 16);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{1, 2, 3, 100, 4, 5, 6, 101, 7, 8, 9, 102, 10, 11, 12, 103}));
    std::free(merged.pixels);
}

TEST(MaskedLayer, AMaskOfAnotherSizeIsSampledAtTheNearestTexel)
{
    std::vector<uint8_t> layerBytes(4 * 2 * 4, 9);  // 4 x 2, with alpha
    std::vector<uint8_t> maskRgb = {10, 0, 0, 20, 0, 0};  // 2 x 1
    const uint8_t expectedAlpha[] = {10, 20};
    const Image merged = maskedLayer(imageOf(layerBytes, 4, 2, 32), imageOf(maskRgb, 2, 1, 24));
    ASSERT_NE(merged.pixels, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(merged.pixels[(y * 4 + x) * 4 + 3], expectedAlpha[x / 2]) << x << "," << y;
            EXPECT_EQ(merged.pixels[(y * 4 + x) * 4], 9);
        }
    std::free(merged.pixels);
}

TEST(MaskedLayer, AMissingOrUnreadablePictureGivesNoPixels)
{
    std::vector<uint8_t> bytes(12, 1);
    const Image good = imageOf(bytes, 2, 2, 24);
    EXPECT_EQ(maskedLayer(Image(), good).pixels, nullptr);
    EXPECT_EQ(maskedLayer(good, Image()).pixels, nullptr);
    EXPECT_EQ(maskedLayer(imageOf(bytes, 2, 2, 8), good).pixels, nullptr);
    EXPECT_EQ(maskedLayer(good, imageOf(bytes, 0, 2, 24)).pixels, nullptr);
}

}  // namespace
