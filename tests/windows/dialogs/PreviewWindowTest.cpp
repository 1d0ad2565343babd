#include <windows.h>

#include "tests/windows/common/TopDownBitmap.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "config/DibPicture.h"
#include "render/PreviewWindow.h"
#include "resources/DialogIds.h"

namespace {
// The picture drawn by itself into a memory bitmap of width x height.
dialog_test::Pixels expected(int width, int height)
{
    DibPicture picture;
    picture.load(MAKEINTRESOURCEA(IDB_PREVIEW), true);
    BITMAPINFO info = topDownBitmapInfo(width, height);
    unsigned char* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, section);
    picture.draw(dc, RECT{0, 0, width, height}, RECT{0, 0, picture.width(), picture.height()});
    GdiFlush();
    dialog_test::Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    for (size_t i = 0; i < size_t(width) * height; ++i)
        pixels.bgr.insert(pixels.bgr.end(), bits + i * 4, bits + i * 4 + 3);
    SelectObject(dc, previous);
    DeleteObject(section);
    DeleteDC(dc);
    return pixels;
}

double meanDifference(const dialog_test::Pixels& a, const dialog_test::Pixels& b)
{
    long sum = 0;
    for (size_t i = 0; i < a.bgr.size() && i < b.bgr.size(); ++i)
        sum += std::abs(int(a.bgr[i]) - int(b.bgr[i]));
    return double(sum) / a.bgr.size();
}

dialog_test::Pixels previewIn(int width, int height)
{
    dialog_test::HostWindow area(width, height);
    PreviewWindow preview;
    EXPECT_TRUE(preview.create(area.hwnd));
    dialog_test::settle(150);
    return dialog_test::captureClient(area.hwnd);
}
}

TEST(PreviewWindow, AnAreaOfThePicturesSizeGetsItUnscaled)
{
    const dialog_test::Pixels shown = previewIn(192, 144);
    const dialog_test::Pixels picture = expected(192, 144);
    ASSERT_EQ(shown.width, 192);
    ASSERT_EQ(shown.height, 144);
    EXPECT_EQ(meanDifference(shown, picture), 0.0);
}

TEST(PreviewWindow, AnyOtherSizeGetsItStretchedOverTheWholeArea)
{
    const dialog_test::Pixels shown = previewIn(320, 200);
    const dialog_test::Pixels picture = expected(320, 200);
    EXPECT_LT(meanDifference(shown, picture), 2.0);
    // The far corner is picture too, not background.
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(shown.at(319, 199)[c], picture.at(319, 199)[c], 8);
}

TEST(PreviewWindow, NoParentOrADeadOneCreatesNothing)
{
    PreviewWindow missing;
    EXPECT_FALSE(missing.create(nullptr));
    HWND dead = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(dead);
    PreviewWindow orphan;
    EXPECT_FALSE(orphan.create(dead));
    EXPECT_EQ(orphan.hwnd(), nullptr);
}
