#include <windows.h>

#include "tests/windows/common/TopDownBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "update/StyledLabel.h"

namespace {
constexpr int kWidth = 320;
constexpr int kHeight = 40;

COLORREF systemColour(int index)
{
    return GetSysColor(index) & 0xFFFFFF;
}

// The label's client area as it is on screen, one COLORREF per pixel.
struct Pixels {
    std::vector<COLORREF> colours;

    explicit Pixels(HWND window) : colours(kWidth * kHeight)
    {
        BITMAPINFO info = topDownBitmapInfo(kWidth, kHeight);
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        HDC dc = GetDC(window);
        BitBlt(memory, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
        const DWORD* source = static_cast<const DWORD*>(bits);
        for (int i = 0; i < kWidth * kHeight; ++i)
            colours[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }

    int count(COLORREF colour) const
    {
        int n = 0;
        for (COLORREF c : colours)
            n += c == colour;
        return n;
    }

    // Columns and rows of the pixels that pass the test.
    template <class Test> RECT bounds(Test test) const
    {
        RECT found = {INT_MAX, INT_MAX, -1, -1};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (!test(colours[y * kWidth + x]))
                    continue;
                found.left = std::min<LONG>(found.left, x);
                found.top = std::min<LONG>(found.top, y);
                found.right = std::max<LONG>(found.right, x + 1);
                found.bottom = std::max<LONG>(found.bottom, y + 1);
            }
        }
        return found;
    }

    RECT inkBounds() const
    {
        const COLORREF face = systemColour(COLOR_BTNFACE);
        return bounds([face](COLORREF c) { return c != face; });
    }

    RECT boundsOf(COLORREF colour) const
    {
        return bounds([colour](COLORREF c) { return c == colour; });
    }
};

class StyledLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Never activated: Wine waits two seconds for the absent window manager when an
        // active window goes away.
        parent_ = CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        SetWindowPos(parent_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    void TearDown() override
    {
        label_.reset();
        DestroyWindow(parent_);
    }

    HWND make(DWORD align, const char* text)
    {
        label_ = std::make_unique<StyledLabel>();
        EXPECT_TRUE(label_->setStyle(RGB(0, 0, 0), 16, "Arial", true, true, false, false, true));
        EXPECT_TRUE(
            label_->createEx(0, "STATIC", text, WS_CHILD | WS_VISIBLE | align, {0, 0, kWidth, kHeight}, parent_, 100));
        UpdateWindow(label_->hwnd());
        return label_->hwnd();
    }

    HWND parent_ = nullptr;
    std::unique_ptr<StyledLabel> label_;
};

TEST_F(StyledLabelTest, EmbossedTextShowsHighlightShadowAndColourOnButtonFace)
{
    HWND label = make(SS_LEFT, "Wide Bold Title");
    const Pixels embossed(label);
    EXPECT_EQ(embossed.colours[kWidth * kHeight - 1], systemColour(COLOR_BTNFACE));
    EXPECT_GT(embossed.count(RGB(0, 0, 0)), 20);
    EXPECT_GT(embossed.count(systemColour(COLOR_BTNHIGHLIGHT)), 5);
    EXPECT_GT(embossed.count(systemColour(COLOR_BTNSHADOW)), 5);
    // The highlight copy lies up and left of the text, the shadow copy down and right.
    const RECT text = embossed.boundsOf(RGB(0, 0, 0));
    const RECT highlight = embossed.boundsOf(systemColour(COLOR_BTNHIGHLIGHT));
    const RECT shadow = embossed.boundsOf(systemColour(COLOR_BTNSHADOW));
    EXPECT_LT(highlight.left, text.left);
    EXPECT_LT(highlight.top, text.top);
    EXPECT_GT(shadow.right, text.right);
    EXPECT_GT(shadow.bottom, text.bottom);

    ASSERT_TRUE(label_->setStyle(RGB(200, 0, 0), 16, "Arial", true, false, false, false, false));
    UpdateWindow(label);
    const Pixels flat(label);
    EXPECT_EQ(flat.count(systemColour(COLOR_BTNHIGHLIGHT)), 0);
    EXPECT_EQ(flat.count(RGB(0, 0, 0)), 0);
    EXPECT_GT(flat.count(RGB(200, 0, 0)), 20);
}

TEST_F(StyledLabelTest, AlignmentComesFromTheStaticStyle)
{
    const RECT left = Pixels(make(SS_LEFT, "Title")).inkBounds();
    const RECT centre = Pixels(make(SS_CENTER, "Title")).inkBounds();
    const RECT right = Pixels(make(SS_RIGHT, "Title")).inkBounds();
    EXPECT_LT(left.right, kWidth / 3);
    EXPECT_GT(right.left, 2 * kWidth / 3);
    EXPECT_NEAR((centre.left + centre.right) / 2, kWidth / 2, 4);
}

TEST_F(StyledLabelTest, NewTextIsPaintedAtOnce)
{
    HWND label = make(SS_CENTER, "");
    EXPECT_EQ(Pixels(label).inkBounds().right, -1);
    SetWindowTextA(label, "Sky Dome 3D");
    // No message is handled in between: the text is already there.
    EXPECT_GT(Pixels(label).count(RGB(0, 0, 0)), 20);
}

TEST_F(StyledLabelTest, HeightZeroFillsTheClientAreaAndNoFaceNameMeansTheStockFont)
{
    HWND label = make(SS_LEFT, "Hj");
    const RECT sixteen = Pixels(label).inkBounds();
    ASSERT_TRUE(label_->setStyle(RGB(0, 0, 0), 0, "Arial", false, false, false, false, false));
    UpdateWindow(label);
    const RECT full = Pixels(label).inkBounds();
    EXPECT_GT(full.bottom - full.top, (sixteen.bottom - sixteen.top) * 3 / 2);

    ASSERT_TRUE(label_->setStyle(RGB(0, 0, 0), 30, nullptr, true, false, false, false, false));
    UpdateWindow(label);
    const RECT stock = Pixels(label).inkBounds();
    // The stock variable-width font is small, whatever height was asked for.
    EXPECT_LT(stock.bottom - stock.top, 20);
}

}
