#include <gtest/gtest.h>

#include "TestDecode.h"
#include "TestJpeg.h"
#include "TraceCapture.h"
#include "assets/JpegDecoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Decoded decode(const Bytes& file)
{
    return Decoded(JpegDecoder::decode, file, "p.jpg");
}

}  // namespace

TEST(JpegDecoder, MatchesTheLibraryOwnDecodeTopRowFirst)
{
    Bytes jpeg = encodeJpeg(testPicture(40, 24), 40, 24);
    Decoded decoded = decode(jpeg);
    ASSERT_EQ(decoded.result, 1);
    EXPECT_EQ(decoded.image.width, 40);
    EXPECT_EQ(decoded.image.height, 24);
    EXPECT_EQ(decoded.image.bitsPerPixel, 24);
    EXPECT_EQ(decoded.pixels(), referenceDecode(jpeg));
    EXPECT_LT(decoded.image.pixels[1], 40);
    EXPECT_GT(decoded.image.pixels[(23 * 40) * 3 + 1], 200);
}

TEST(JpegDecoder, ReadsLargeInputsAndSkipsMarkersAcrossBlocks)
{
    JpegOptions heavy;
    heavy.quality = 100;
    heavy.applicationBytes = 150000;
    JpegOptions progressive;
    progressive.progressive = true;
    for (const JpegOptions& options : {heavy, progressive}) {
        Bytes jpeg = encodeJpeg(testPicture(300, 200), 300, 200, options);
        Decoded decoded = decode(jpeg);
        ASSERT_EQ(decoded.result, 1);
        EXPECT_EQ(decoded.pixels(), referenceDecode(jpeg));
    }
}

TEST(JpegDecoder, RejectsGreyAndFourComponentPictures)
{
    TraceCapture trace;
    for (int components : {1, 4}) {
        JpegOptions options;
        options.components = components;
        Decoded decoded = decode(encodeJpeg(testPicture(16, 16, components), 16, 16, options));
        EXPECT_EQ(decoded.result, 0);
        EXPECT_EQ(decoded.image.pixels, nullptr);
        EXPECT_EQ(trace.last(), "Unsupported jpeg image \"p.jpg\" (components=" + std::to_string(components) + ")");
    }
}

TEST(JpegDecoder, CorruptDataFailsAndTheProcessLives)
{
    TraceCapture trace;
    Bytes jpeg = encodeJpeg(testPicture(32, 32), 32, 32);
    Bytes garbage(jpeg.size(), 0x37);
    Bytes badHeader = jpeg;
    badHeader[3] ^= 0xFF;
    for (const Bytes& file : {Bytes{}, garbage, Bytes(jpeg.begin(), jpeg.begin() + 20), badHeader}) {
        Decoded decoded = decode(file);
        EXPECT_EQ(decoded.result, 0);
        EXPECT_EQ(decoded.image.pixels, nullptr);
        EXPECT_EQ(trace.last(), "Can't decompress jpeg image \"p.jpg\"");
    }
}

TEST(JpegDecoder, DataEndingEarlyGetsAnEndMarkerAndNothingPastTheBlock)
{
    Bytes jpeg = encodeJpeg(testPicture(64, 64), 64, 64);
    for (size_t length = 0; length < jpeg.size(); length += 3)
        decode(Bytes(jpeg.begin(), jpeg.begin() + length));
    Decoded partial = decode(Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() * 4 / 5));
    EXPECT_EQ(partial.result, 1);
    EXPECT_EQ(partial.image.width, 64);
}

TEST(JpegDecoder, RefusesPicturesBeyondTheSizeLimit)
{
    TraceCapture trace;
    Bytes jpeg = encodeJpeg(testPicture(8, 8), 8, 8);
    for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 7] = 0xFF;
            jpeg[i + 6] = jpeg[i + 8] = 0xD0;
        }
    }
    EXPECT_EQ(decode(jpeg).result, 0);
    EXPECT_EQ(trace.last(), "Image \"p.jpg\" too large (65488x65488)");
}
