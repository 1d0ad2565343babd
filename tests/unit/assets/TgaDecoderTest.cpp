#include <gtest/gtest.h>

#include "TestDecode.h"
#include "TraceCapture.h"
#include "assets/TgaDecoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes header(uint8_t type, uint16_t width, uint16_t height, uint8_t depth, uint8_t descriptor, uint8_t colourMap = 0)
{
    Bytes bytes(18, 0);
    bytes[1] = colourMap;
    bytes[2] = type;
    bytes[12] = uint8_t(width);
    bytes[13] = uint8_t(width >> 8);
    bytes[14] = uint8_t(height);
    bytes[15] = uint8_t(height >> 8);
    bytes[16] = depth;
    bytes[17] = descriptor;
    return bytes;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Stored B, G, R of pixel value v.
Bytes bgr(uint8_t v)
{
    return {uint8_t(v + 2), uint8_t(v + 1), v};
}

// The 3 x 2 picture whose pixels are 10, 20, 30 / 40, 50, 60 as R, G, B.
const Bytes topRow = bgr(10) + bgr(20) + bgr(30);
const Bytes bottomRow = bgr(40) + bgr(50) + bgr(60);
const Bytes expected = {10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42, 50, 51, 52, 60, 61, 62};

Decoded decode(const Bytes& file)
{
    return Decoded(TgaDecoder::decode, file, "t.tga");
}

}  // namespace

TEST(TgaDecoder, BothRowOrdersGiveTheSameTopFirstBuffer)
{
    Decoded topDown = decode(header(2, 3, 2, 24, 0x20) + topRow + bottomRow);
    Decoded bottomUp = decode(header(2, 3, 2, 24, 0) + bottomRow + topRow);
    ASSERT_EQ(topDown.result, 1);
    ASSERT_EQ(bottomUp.result, 1);
    EXPECT_EQ(topDown.image.bitsPerPixel, 24);
    EXPECT_EQ(topDown.pixels(), expected);
    EXPECT_EQ(bottomUp.pixels(), expected);
}

TEST(TgaDecoder, ThirtyTwoBitsKeepAlphaLast)
{
    Decoded decoded = decode(header(2, 1, 1, 32, 0x20) + Bytes{1, 2, 3, 4});
    ASSERT_EQ(decoded.result, 1);
    EXPECT_EQ(decoded.image.bitsPerPixel, 32);
    EXPECT_EQ(Bytes(decoded.image.pixels, decoded.image.pixels + 4), (Bytes{3, 2, 1, 4}));
}

TEST(TgaDecoder, RunLengthPacketsRunAcrossRowsInFillOrder)
{
    // Raw 10, 20; a run of 30 over the row end; raw 50, 60.
    Bytes packets = Bytes{0x01} + bgr(10) + bgr(20) + Bytes{0x81} + bgr(30) + Bytes{0x01} + bgr(50) + bgr(60);
    Decoded topDown = decode(header(10, 3, 2, 24, 0x20) + packets);
    ASSERT_EQ(topDown.result, 1);
    Bytes withRun = expected;
    std::copy(withRun.begin() + 6, withRun.begin() + 9, withRun.begin() + 9);
    EXPECT_EQ(topDown.pixels(), withRun);
    Bytes bottomFirst = Bytes{0x82} + bgr(40) + Bytes{0x02} + bgr(10) + bgr(20) + bgr(30);
    Decoded bottomUp = decode(header(10, 3, 2, 24, 0) + bottomFirst);
    ASSERT_EQ(bottomUp.result, 1);
    EXPECT_EQ(bottomUp.pixels(), (Bytes{10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42, 40, 41, 42, 40, 41, 42}));
}

TEST(TgaDecoder, PacketsPastTheLastPixelAreIgnored)
{
    Decoded run = decode(header(10, 3, 2, 24, 0x20) + Bytes{0xFF} + bgr(10));
    EXPECT_EQ(run.result, 1);
    Decoded raw = decode(header(10, 3, 2, 24, 0x20) + Bytes{0x7F} + topRow + bottomRow);
    ASSERT_EQ(raw.result, 1);
    EXPECT_EQ(raw.pixels(), expected);
}

TEST(TgaDecoder, PixelDataFollowsTheIdField)
{
    Bytes file = header(2, 3, 2, 24, 0x20) + Bytes{'i', 'd'} + topRow + bottomRow;
    file[0] = 2;
    Decoded decoded = decode(file);
    ASSERT_EQ(decoded.result, 1);
    EXPECT_EQ(decoded.pixels(), expected);
}

TEST(TgaDecoder, RejectsUnsupportedVariantsWithTheirMessages)
{
    TraceCapture trace;
    const struct {
        Bytes file;
        const char* message;
    } cases[] = {
        {header(1, 3, 2, 8, 0, 1), "Unsupported tga image \"t.tga\" type (type=1)"},
        {header(3, 3, 2, 8, 0), "Unsupported tga image \"t.tga\" type (type=3)"},
        {header(9, 3, 2, 8, 0, 1), "Unsupported tga image \"t.tga\" type (type=9)"},
        {header(2, 3, 2, 24, 0, 1), "Unsupported tga image \"t.tga\" pixel size (size=24)"},
        {header(2, 3, 2, 16, 0), "Unsupported tga image \"t.tga\" pixel size (size=16)"},
        {header(2, 0, 2, 24, 0), "Empty tga image \"t.tga\""},
        {header(2, 3, 0, 24, 0), "Empty tga image \"t.tga\""},
        {header(2, 65535, 65535, 32, 0), "Truncated tga image \"t.tga\""},
        {header(10, 65535, 65535, 32, 0) + Bytes{0xFF, 1, 2, 3, 4}, "Truncated tga image \"t.tga\""},
        {Bytes(17, 0), "Truncated tga image \"t.tga\""},
    };
    for (const auto& item : cases) {
        Decoded decoded = decode(item.file);
        EXPECT_EQ(decoded.result, 0) << item.message;
        EXPECT_EQ(decoded.image.pixels, nullptr);
        EXPECT_EQ(trace.last(), item.message);
    }
}

TEST(TgaDecoder, EveryShortenedFileFailsWithoutReadingPastIt)
{
    Bytes packets = Bytes{0x01} + bgr(10) + bgr(20) + Bytes{0x81} + bgr(30) + Bytes{0x01} + bgr(50) + bgr(60);
    for (const Bytes& file : {header(2, 3, 2, 24, 0) + topRow + bottomRow, header(10, 3, 2, 24, 0) + packets}) {
        for (size_t length = 0; length < file.size(); ++length)
            EXPECT_EQ(decode(Bytes(file.begin(), file.begin() + length)).result, 0) << length;
        EXPECT_EQ(decode(file).result, 1);
    }
}

TEST(TgaDecoder, RefusesPicturesBeyondTheSizeLimit)
{
    TraceCapture trace;
    Bytes runs(8192u * 8192 / 128 * 5, 0);
    for (size_t i = 0; i < runs.size(); i += 5)
        runs[i] = 0xFF;
    EXPECT_EQ(decode(header(10, 8192, 8192, 32, 0) + runs).result, 0);
    EXPECT_EQ(trace.last(), "Image \"t.tga\" too large (8192x8192)");
}
