#include <gtest/gtest.h>

#include <cstdlib>

#include "TestJpeg.h"
#include "TestZip.h"
#include "TraceCapture.h"
#include "assets/ImageLoader.h"

namespace {

std::string asText(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

const std::string jpeg = asText(encodeJpeg(testPicture(512, 256), 512, 256));
const std::string tga = std::string("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\x18\x20\3\2\1", 21);

class ImageLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        zip = makeZip({{"moon0.jpg", jpeg},
                       {"a.tga.jpg", jpeg},
                       {"dot.tga", tga},
                       {"UPPER.JPG", jpeg},
                       {"mixed.Tga", tga},
                       {"nodot", jpeg},
                       {"broken.jpg", jpeg.substr(0, 2) + "junk"},
                       {"a.jpg.tga", jpeg}});
        ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    }
    void TearDown() override { free(image.pixels); }

    int load(const char* name)
    {
        free(image.pixels);
        image.pixels = reinterpret_cast<uint8_t*>(&image);
        return ImageLoader::load(image, name, pack);
    }

    std::vector<uint8_t> zip;
    ResourcePack pack;
    Image image;
    TraceCapture trace;
};

}  // namespace

TEST_F(ImageLoaderTest, LoadsAMoonSizedJpegTopRowFirst)
{
    ASSERT_EQ(load("moon0.jpg"), 1);
    EXPECT_EQ(image.width, 512);
    EXPECT_EQ(image.height, 256);
    EXPECT_EQ(image.bitsPerPixel, 24);
    EXPECT_EQ(size_t(image.width) * image.height * image.bitsPerPixel / 8, 393216u);
    EXPECT_LT(image.pixels[1], 16);
    EXPECT_GT(image.pixels[(255 * 512) * 3 + 1], 230);
}

TEST_F(ImageLoaderTest, ChoosesTheDecoderByTheLastExactExtension)
{
    EXPECT_EQ(load("a.tga.jpg"), 1);
    EXPECT_EQ(image.width, 512);
    ASSERT_EQ(load("dot.tga"), 1);
    EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + 3), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(load("a.jpg.tga"), 0);
    EXPECT_EQ(image.pixels, nullptr);
    for (const char* name : {"UPPER.JPG", "mixed.Tga", "nodot"}) {
        EXPECT_EQ(load(name), 0);
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_EQ(trace.last(), std::string("Unknown image \"") + name + "\" format");
    }
}

TEST_F(ImageLoaderTest, FailuresLeaveNoPixels)
{
    EXPECT_EQ(load("missing.jpg"), 0);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(trace.last(), "File \"_ResourceData:missing.jpg\" not found");
    EXPECT_EQ(load("broken.jpg"), 0);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(trace.last(), "Can't decompress jpeg image \"broken.jpg\"");
}
