#pragma once
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "update/StyledLabel.h"

#include <string>

// The page of a family product that is not installed: its title, up to three
// lines of description, its screenshot and a button that opens its download link.
class ProductInfoPage : public Dialog {
public:
    // A child of parent, moved to rect. The screenshot is a JPEG file; one that is
    // missing or does not decode leaves the page without picture.
    bool create(const RECT& rect, HWND parent, const std::string& title, const std::string& description,
                const std::string& downloadLink, const std::string& screenshotPath);

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void showTitle(const std::string& title);
    void showScreenshot(const std::string& path);
    void onDownload();
    static const Handler<ProductInfoPage> handlers[];

    std::string downloadLink_;
    StyledLabel title_;
    BitmapHandle screenshot_;
};
