#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "ProductFiles.h"
#include "config/ProductInfoPage.h"
#include "framework/Window.h"
#include "resources/DialogIds.h"
#include "tests/driver/Driver.h"
#include "tests/driver/ListViewDriver.h"

namespace {
const std::string kGuestKey = "Software\\ZandorTests\\Guest";
std::string folder()
{
    return driver::windowsPath(ZANDOR3D_DIALOG_TEST_DIR) + "\\";
}

std::string controlText(HWND control)
{
    return driver::windowText(control);
}

// Left half red, right half blue: rows that shear show the wrong colour at the sides.
void halves(int x, int, unsigned char rgb[3])
{
    const bool left = x < 15;
    rgb[0] = left ? 255 : 0;
    rgb[1] = 0;
    rgb[2] = left ? 0 : 255;
}

std::string opened()
{
    std::string text;
    return driver::getString(kGuestKey, "Opened", text) ? text : "(none)";
}

class ProductInfoPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(folder().substr(0, folder().size() - 1).c_str(), nullptr);
        driver::deleteTree("Software\\ZandorTests");
    }
    void TearDown() override
    {
        page.reset();
        driver::deleteTree("Software\\ZandorTests");
    }
    void open(const std::string& description, const std::string& link, const std::string& screenshot)
    {
        page = std::make_unique<ProductInfoPage>();
        const RECT rect = {0, 0, 420, 300};
        ASSERT_TRUE(page->create(rect, host.hwnd, "Sample 3D", description, link, screenshot));
        ShowWindow(page->hwnd(), SW_SHOWNA);
        dialog_test::settle(50);
    }
    HWND control(int id) const { return page->item(id); }
    HBITMAP picture() const
    {
        return reinterpret_cast<HBITMAP>(SendMessageA(control(IDC_SCREENSHOT), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    dialog_test::HostWindow host{420, 300};
    std::unique_ptr<ProductInfoPage> page;
};
}

TEST_F(ProductInfoPageTest, ShowsTheEmbossedTitleAndUpToThreeLinesCutAt255Characters)
{
    const std::string longLine(300, 'x');
    open("First line\n" + longLine + "\nThird\nFourth\n", "", "");
    EXPECT_EQ(controlText(control(IDC_PRODUCT_TITLE)), "Sample 3D");
    EXPECT_NE(Window::fromHandle(control(IDC_PRODUCT_TITLE)), nullptr) << "the title is not the styled label";
    EXPECT_EQ(controlText(control(IDC_DESCRIPTION_1)), "First line");
    EXPECT_EQ(controlText(control(IDC_DESCRIPTION_2)), std::string(255, 'x'));
    EXPECT_EQ(controlText(control(IDC_DESCRIPTION_3)), "Third");

    open("Only line", "", "");
    EXPECT_EQ(controlText(control(IDC_DESCRIPTION_1)), "Only line");
    EXPECT_EQ(controlText(control(IDC_DESCRIPTION_2)), "");
    EXPECT_EQ(controlText(control(IDC_DESCRIPTION_3)), "");
}

TEST_F(ProductInfoPageTest, AScreenshotThirtyPixelsWideIsShownWithoutShear)
{
    const std::string path = folder() + "narrow.jpg";
    ASSERT_TRUE(dialog_test::writeJpeg(path, 30, 20, halves));
    open("", "", path);
    HBITMAP bitmap = picture();
    ASSERT_NE(bitmap, nullptr);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    ASSERT_EQ(size.bmWidth, 30);
    ASSERT_EQ(size.bmHeight, 20);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 30;
    info.bmiHeader.biHeight = -20;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<unsigned char> bgra(30 * 20 * 4);
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, bitmap, 0, 20, bgra.data(), &info, DIB_RGB_COLORS), 20);
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < 20; ++y) {
        for (int x : {1, 12, 17, 28}) {
            const unsigned char* pixel = &bgra[(static_cast<size_t>(y) * 30 + x) * 4];
            const bool red = x < 15;
            EXPECT_GT(red ? pixel[2] : pixel[0], 200) << x << "," << y;
            EXPECT_LT(red ? pixel[0] : pixel[2], 60) << x << "," << y;
        }
    }
}

TEST_F(ProductInfoPageTest, AMissingOrUndecodableScreenshotLeavesThePageWithoutPicture)
{
    open("", "", folder() + "missing.jpg");
    EXPECT_EQ(picture(), nullptr);
    const std::string broken = folder() + "broken.jpg";
    FILE* file = fopen(broken.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fputs("\xFF\xD8 not a picture", file);
    fclose(file);
    open("", "", broken);
    EXPECT_EQ(picture(), nullptr);
}

TEST_F(ProductInfoPageTest, DownloadNowOpensOnlyWebLinks)
{
    driver::WebLinkHandler recorder("\"" + driver::windowsPath(FAMILY_STANDIN) + "\" %1");
    const std::string program = driver::windowsPath(FAMILY_STANDIN);
    for (const std::string& link :
         {program, "file:///" + program, std::string("  http://x.test/"), std::string("javascript:alert(1)")}) {
        open("", link, "");
        SendMessageA(control(IDC_DOWNLOAD), BM_CLICK, 0, 0);
        dialog_test::settle(1500);
        EXPECT_EQ(opened(), "(none)") << link;
    }
    for (const std::string& link : {std::string("http://get.test/sample.exe"), std::string("HTTPS://get.test/s")}) {
        open("", link, "");
        SendMessageA(control(IDC_DOWNLOAD), BM_CLICK, 0, 0);
        EXPECT_TRUE(driver::waitFor([&] { return opened() == link; }, 15000)) << link << " gave " << opened();
    }
}
