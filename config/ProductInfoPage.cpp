#include "config/ProductInfoPage.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assets/JpegDecoder.h"
#include "config/ProductInfoText.h"
#include "framework/DeviceContext.h"
#include "resources/DialogIds.h"
#include "update/UpdateLimits.h"
#include "update/WideText.h"

namespace {
const int kDescriptionIds[] = {IDC_DESCRIPTION_1, IDC_DESCRIPTION_2, IDC_DESCRIPTION_3};

// The whole file, or nothing when it cannot be read or is larger than a screenshot may be.
std::vector<uint8_t> readSmallFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && static_cast<std::size_t>(size) <= maxScreenshotBytes && std::fseek(file, 0, SEEK_SET) == 0) {
            bytes.resize(static_cast<std::size_t>(size));
            if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
                bytes.clear();
        }
    }
    std::fclose(file);
    return bytes;
}

// A device bitmap of the decoded rows: B, G, R pixels, each row padded to 4 bytes,
// which is what keeps a width that is not a multiple of 4 from shearing.
HBITMAP deviceBitmap(const Image& image)
{
    const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t(3);
    std::vector<uint8_t> rows(stride * static_cast<std::size_t>(image.height), 0);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* source = image.pixels + static_cast<std::size_t>(y) * image.width * 3;
        uint8_t* target = &rows[static_cast<std::size_t>(y) * stride];
        for (int x = 0; x < image.width; ++x, source += 3, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDC screen(nullptr);
    return CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, rows.data(), &info, DIB_RGB_COLORS);
}
}

using InfoHandler = Dialog::Handler<ProductInfoPage>;

const InfoHandler ProductInfoPage::handlers[] = {
    InfoHandler::forCommand(IDC_DOWNLOAD, BN_CLICKED, &ProductInfoPage::onDownload),
};

bool ProductInfoPage::create(const RECT& rect, HWND parent, const std::string& title, const std::string& description,
                             const std::string& downloadLink, const std::string& screenshotPath)
{
    if (!createPage(IDD_PRODUCT_INFO, parent, rect))
        return false;
    const std::array<std::string, 3> lines = splitDescription(description);
    for (std::size_t i = 0; i < lines.size(); ++i)
        SetDlgItemTextW(hwnd(), kDescriptionIds[i], widen(lines[i]).c_str());
    showTitle(title);
    downloadLink_ = downloadLink;
    showScreenshot(screenshotPath);
    return true;
}

INT_PTR ProductInfoPage::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (handle(handlers, message, wParam, lParam, result))
        return result;
    return Dialog::dialogProc(message, wParam, lParam);
}

// The template's plain static gives way to a label that paints the title embossed,
// in the same place and with the same identifier.
void ProductInfoPage::showTitle(const std::string& title)
{
    HWND placeholder = item(IDC_PRODUCT_TITLE);
    RECT rect = {};
    GetWindowRect(placeholder, &rect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    DestroyWindow(placeholder);
    if (title_.createExW(0, L"STATIC", widen(title).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, rect,
                         hwnd(), IDC_PRODUCT_TITLE))
        title_.setStyle(RGB(0, 0, 0), 16, "Arial", true, true, false, false, true);
}

void ProductInfoPage::showScreenshot(const std::string& path)
{
    std::vector<uint8_t> bytes = readSmallFile(path);
    Image image;
    if (bytes.empty() || !JpegDecoder::decode(image, bytes.data(), bytes.size(), path.c_str()))
        return;
    screenshot_.reset(deviceBitmap(image));
    std::free(image.pixels);
    if (screenshot_)
        SendDlgItemMessageA(hwnd(), IDC_SCREENSHOT, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(screenshot_.get()));
}

void ProductInfoPage::onDownload()
{
    // The link comes from the network: only a web address goes to the shell.
    if (isWebLink(downloadLink_))
        ShellExecuteW(hwnd(), L"open", widen(downloadLink_).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
