#include "update/PictureCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<unsigned char> bytes(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

std::string segment(char marker, const std::string& payload)
{
    const std::size_t length = payload.size() + 2;
    return std::string("\xFF") + marker + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) + payload;
}

// A JPEG's shape: an APP1 segment holding a whole thumbnail, tables, a scan whose coded
// bytes hold stuffed 0xFF bytes and a restart marker, a second scan, the end marker.
std::string jpeg()
{
    const std::string thumbnail = "\xFF\xD8" + segment('\xDB', "tq") + "thumb\xFF\xD9";
    const std::string scan =
        std::string("coded\xFF\x00", 7) + "bytes\xFF\xD3more\xFF\xFF\xFF\x00" + std::string(1, '\0');
    return "\xFF\xD8" + segment('\xE1', "Exif" + thumbnail) + segment('\xDB', std::string(65, 'q')) +
           segment('\xC2', "frame") + segment('\xDA', "scan1") + scan + segment('\xC4', "\xFF\xD9 in a table") +
           segment('\xDA', "scan2") + scan + "\xFF\xD9";
}

TEST(PictureCheck, AJpegIsWholeWhenItsSegmentsAndScansReachTheEndMarkerWhateverFollows)
{
    const std::string whole = jpeg();
    EXPECT_TRUE(isWholePicture(bytes(whole)));
    EXPECT_TRUE(isWholePicture(bytes(whole + std::string(300, '\0'))));
    EXPECT_TRUE(isWholePicture(bytes(whole + "appended by the server")));
}

TEST(PictureCheck, AJpegCutShortAnywhereIsNotWholeEvenWhereAThumbnailOrTableHoldsAnEndMarker)
{
    const std::string whole = jpeg();
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(isWholePicture(bytes(whole.substr(0, length)))) << "cut to " << length << " bytes";
    EXPECT_FALSE(isWholePicture(bytes("\xFF\xD8\xFF\xD8" + whole.substr(2))));
    EXPECT_FALSE(isWholePicture(bytes(std::string("\xFF\xD8\xFF\xE0\x00\x01\xFF\xD9", 8))));
    EXPECT_FALSE(isWholePicture(bytes("GIF89a\xFF\xD9")));
}

std::string bitmap(int width, int height, std::size_t pixelBytes)
{
    std::string header("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18);
    for (int value : {width, height})
        for (int shift = 0; shift < 32; shift += 8)
            header += static_cast<char>((static_cast<unsigned>(value) >> shift) & 0xFF);
    header += std::string("\x01\0\x18\0\0\0\0\0", 8) + std::string(20, '\0');
    return header + std::string(pixelBytes, '\x7F');
}

TEST(PictureCheck, ABitmapIsWholeWhenAllItsRowsLieInTheFile)
{
    // Rows of 3 x 3 bytes, padded to 12.
    EXPECT_TRUE(isWholePicture(bytes(bitmap(3, 2, 24))));
    EXPECT_TRUE(isWholePicture(bytes(bitmap(3, -2, 24))));
    EXPECT_FALSE(isWholePicture(bytes(bitmap(3, 2, 23))));
    EXPECT_FALSE(isWholePicture(bytes(bitmap(0, 2, 24))));
    EXPECT_FALSE(isWholePicture(bytes(bitmap(3, 0, 24))));
    EXPECT_FALSE(isWholePicture(bytes(bitmap(0x7FFFFFFF, 0x7FFFFFFF, 24))));
    EXPECT_FALSE(isWholePicture(bytes(bitmap(3, 2, 24).substr(0, 40))));
}

}  // namespace
