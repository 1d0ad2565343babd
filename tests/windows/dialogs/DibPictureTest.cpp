#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "config/DibPicture.h"
#include "resources/DialogIds.h"

namespace {
BITMAPINFOHEADER header(int width, int height, int bits)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biCompression = BI_RGB;
    return header;
}

int rowBytes(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// A 32-bit DIB section selected into a memory DC: where pictures are drawn and read back.
struct Canvas {
    Canvas(int width, int height) : width(width), height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = header(width, -height, 32);
        dc = CreateCompatibleDC(nullptr);
        section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, section);
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(section);
        DeleteDC(dc);
    }
    // B, G, R of a pixel, top row first.
    const unsigned char* at(int x, int y) const
    {
        GdiFlush();
        return bits + (size_t(y) * width + x) * 4;
    }
    int width, height;
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ previous = nullptr;
    unsigned char* bits = nullptr;
};

// A picture's pixel (x, y), top row first.
const unsigned char* pixel(const DibPicture& picture, int x, int y)
{
    return picture.bits() + size_t(picture.height() - 1 - y) * picture.stride() + size_t(x) * 3;
}

std::string tempFile(const char* name)
{
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    return std::string(directory) + name;
}

// A bottom-up BMP file; for 8 bits the palette has 256 entries.
void writeBmp(const std::string& path, int width, int height, int bits, const std::vector<RGBQUAD>& palette,
              const std::vector<unsigned char>& rows)
{
    const BITMAPINFOHEADER header = ::header(width, height, bits);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header + DWORD(palette.size() * sizeof(RGBQUAD));
    file.bfSize = file.bfOffBits + DWORD(rows.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    if (!palette.empty())
        std::fwrite(palette.data(), sizeof(RGBQUAD), palette.size(), out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    std::fclose(out);
}

// The colour a test pattern gives pixel (x, y) (top row first), as B, G, R.
RGBQUAD patternColour(int x, int y)
{
    return {BYTE(x * 8), BYTE(y * 40), BYTE((x + y) * 5), 0};
}
}

TEST(DibPicture, ThePreviewResourceLoadsAs24BitsWithThePalettesColours)
{
    DibPicture picture;
    ASSERT_TRUE(picture.load(MAKEINTRESOURCEA(IDB_PREVIEW), true));
    EXPECT_EQ(picture.width(), 192);
    EXPECT_EQ(picture.height(), 144);
    EXPECT_EQ(picture.kind(), DibPicture::Rgb24);
    EXPECT_EQ(picture.stride(), 576);

    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDB_PREVIEW), MAKEINTRESOURCEA(2));
    ASSERT_NE(found, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_EQ(header->biBitCount, 8);
    const auto* palette = reinterpret_cast<const RGBQUAD*>(header + 1);
    const auto* indices =
        reinterpret_cast<const unsigned char*>(palette + (header->biClrUsed ? header->biClrUsed : 256));
    int mismatches = 0;
    for (int row = 0; row < 144; ++row) {
        for (int x = 0; x < 192; ++x) {
            const RGBQUAD& colour = palette[indices[row * rowBytes(192, 8) + x]];
            const unsigned char* p = picture.bits() + size_t(row) * picture.stride() + x * 3;
            mismatches += p[0] != colour.rgbBlue || p[1] != colour.rgbGreen || p[2] != colour.rgbRed;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(DibPicture, ThirtyPixelWideFilesOf24And8BitsLoadWithoutShear)
{
    const int width = 30, height = 5;
    std::vector<unsigned char> rows24(size_t(rowBytes(width, 24)) * height, 0xEE);
    std::vector<unsigned char> rows8(size_t(rowBytes(width, 8)) * height, 0);
    std::vector<RGBQUAD> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = patternColour(i % width, i / width);
    for (int y = 0; y < height; ++y) {
        const int fileRow = height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const RGBQUAD c = patternColour(x, y);
            unsigned char* p = &rows24[size_t(fileRow) * rowBytes(width, 24) + x * 3];
            p[0] = c.rgbBlue;
            p[1] = c.rgbGreen;
            p[2] = c.rgbRed;
            rows8[size_t(fileRow) * rowBytes(width, 8) + x] = static_cast<unsigned char>(y * width + x);
        }
    }
    writeBmp(tempFile("zandor-30-24.bmp"), width, height, 24, {}, rows24);
    writeBmp(tempFile("zandor-30-8.bmp"), width, height, 8, palette, rows8);

    for (const char* name : {"zandor-30-24.bmp", "zandor-30-8.bmp"}) {
        SCOPED_TRACE(name);
        DibPicture picture;
        ASSERT_TRUE(picture.load(tempFile(name).c_str(), false));
        ASSERT_EQ(picture.width(), width);
        ASSERT_EQ(picture.height(), height);
        EXPECT_EQ(picture.stride(), 92);
        int mismatches = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const RGBQUAD c = patternColour(x, y);
                const unsigned char* p = pixel(picture, x, y);
                mismatches += p[0] != c.rgbBlue || p[1] != c.rgbGreen || p[2] != c.rgbRed;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(DibPicture, AMissingFileAndAWrongDepthShowTheirMessagesAndLeaveThePictureEmpty)
{
    std::vector<unsigned char> rows32(size_t(4) * 4 * 4, 0x40);
    writeBmp(tempFile("zandor-32.bmp"), 4, 4, 32, {}, rows32);
    dialog_test::MessageBoxWatcher boxes;
    DibPicture picture;
    EXPECT_FALSE(picture.load(tempFile("zandor-no-such.bmp").c_str(), false));
    EXPECT_FALSE(picture.load(MAKEINTRESOURCEA(9999), true));
    EXPECT_FALSE(picture.load(tempFile("zandor-32.bmp").c_str(), false));
    ASSERT_EQ(boxes.texts().size(), 3u);
    EXPECT_EQ(boxes.texts()[0], "can't load image from file");
    EXPECT_EQ(boxes.texts()[1], "can't load image from file");
    EXPECT_EQ(boxes.texts()[2], "Only 8-bit & 24-bit images supported!");
    EXPECT_EQ(picture.kind(), DibPicture::Empty);
    Canvas canvas(4, 4);
    const RECT area = {0, 0, 4, 4};
    EXPECT_FALSE(picture.draw(canvas.dc, area, area));
}

TEST(DibPicture, EqualSizeCopiesDirectlyAndAnyOtherSizeStretchesInHalftone)
{
    DibPicture picture;
    ASSERT_TRUE(picture.load(MAKEINTRESOURCEA(IDB_PREVIEW), true));
    const RECT source = {0, 0, 192, 144};

    Canvas equal(192, 144);
    SetStretchBltMode(equal.dc, BLACKONWHITE);
    ASSERT_TRUE(picture.draw(equal.dc, source, source));
    EXPECT_EQ(GetStretchBltMode(equal.dc), BLACKONWHITE);
    int mismatches = 0;
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 192; ++x)
            mismatches += std::memcmp(equal.at(x, y), pixel(picture, x, y), 3) != 0;
    EXPECT_EQ(mismatches, 0);

    Canvas doubled(384, 288);
    SetStretchBltMode(doubled.dc, BLACKONWHITE);
    ASSERT_TRUE(picture.draw(doubled.dc, RECT{0, 0, 384, 288}, source));
    EXPECT_EQ(GetStretchBltMode(doubled.dc), HALFTONE);
    // Every picture pixel fills a 2 x 2 block; halftone filtering may soften edges only.
    long difference = 0;
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 192; ++x)
            for (int c = 0; c < 3; ++c)
                difference += std::abs(doubled.at(2 * x, 2 * y)[c] - pixel(picture, x, y)[c]);
    EXPECT_LT(difference / (192.0 * 144 * 3), 6.0);
}

TEST(DibPicture, AllocateTakesTwoKindsAndAGreyTable)
{
    DibPicture picture;
    EXPECT_FALSE(picture.allocate(30, 2, 2));
    EXPECT_EQ(picture.kind(), DibPicture::Empty);
    EXPECT_EQ(picture.bits(), nullptr);
    EXPECT_FALSE(picture.allocate(0, 2, DibPicture::Rgb24));

    ASSERT_TRUE(picture.allocate(30, 2, DibPicture::Rgb24));
    EXPECT_EQ(picture.stride(), 92);

    ASSERT_TRUE(picture.allocate(4, 1, DibPicture::Grey8));
    EXPECT_EQ(picture.stride(), 4);
    for (int x = 0; x < 4; ++x)
        picture.bits()[x] = static_cast<unsigned char>(x * 80);
    Canvas canvas(4, 1);
    const RECT area = {0, 0, 4, 1};
    ASSERT_TRUE(picture.draw(canvas.dc, area, area));
    for (int x = 0; x < 4; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(canvas.at(x, 0)[0], x * 80);
        EXPECT_EQ(canvas.at(x, 0)[1], x * 80);
        EXPECT_EQ(canvas.at(x, 0)[2], x * 80);
    }
    picture.release();
    EXPECT_EQ(picture.kind(), DibPicture::Empty);
    EXPECT_FALSE(picture.draw(canvas.dc, area, area));
}
