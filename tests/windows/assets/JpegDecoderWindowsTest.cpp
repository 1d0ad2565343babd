#include <gtest/gtest.h>

#include "assets/JpegDecoder.h"
#include "tests/unit/assets/TestDecode.h"
#include "tests/unit/assets/TestJpeg.h"
#include "tests/unit/assets/TraceCapture.h"

// The error path jumps back out of the library's frames: on Windows that
// jump unwinds through the cross-built library, so prove it here too.
TEST(JpegDecoderWindows, DecodesAndSurvivesCorruptData)
{
    std::vector<uint8_t> jpeg = encodeJpeg(testPicture(64, 48), 64, 48);
    Decoded good(JpegDecoder::decode, jpeg, "good.jpg");
    ASSERT_EQ(good.result, 1);
    EXPECT_EQ(good.pixels(), referenceDecode(jpeg));
    std::vector<uint8_t> corrupt = jpeg;
    for (size_t i = 2; i < 40; ++i)
        corrupt[i] = 0x5A;
    TraceCapture trace;
    for (int round = 0; round < 3; ++round) {
        Decoded bad(JpegDecoder::decode, corrupt, "bad.jpg");
        EXPECT_EQ(bad.result, 0);
        EXPECT_EQ(bad.image.pixels, nullptr);
        EXPECT_EQ(trace.last(), "Can't decompress jpeg image \"bad.jpg\"");
    }
}
