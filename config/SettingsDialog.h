#pragma once
#include "config/Settings.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "update/ProductEntry.h"
#include "update/UpdateOutcome.h"

class ProgressDialog;

#include <memory>

// The configuration dialog: the product family on the left, one page on the right.
// Our own entry shows our settings page; an installed member shows its own page
// as a guest; any other product shows its description and download button.
class SettingsDialog : public Dialog {
public:
    // Page selector of our own settings page; others index the product list.
    static const int ownPage = -1;

    explicit SettingsDialog(int initialPage = ownPage) : initialPage_(initialPage) {}
    // Modal; IDOK or IDCANCEL.
    INT_PTR run(HWND owner);

    // What the dialog shows, for the tests and for its own rules.
    int currentPage() const { return currentPage_; }
    Dialog* page() const { return page_.get(); }
    int installedCount() const { return installed_; }
    HIMAGELIST images() const { return images_.get(); }

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL onInitDialog() override;
    void onOK() override;
    void onCancel() override;
    void onDestroy() override;

private:
    void createImages();
    void fillList(bool online);
    UpdateOutcome rebuildOnline(ProductList& fresh, const Settings& sources);
    void report(UpdateOutcome outcome, bool online);
    void insertEntry(int position, const std::string& title, int image, int page);
    int productImage(const ProductEntry& product);
    void selectPage(int page);
    void switchTo(int page);
    std::unique_ptr<Dialog> createPage(int page, const RECT& rect);
    void closePage();
    void sendToPage(UINT command);
    bool paintMinimised();

    LRESULT onItemChanged(const NMHDR& header);
    void onRestoreDefaults();
    void onPreview();
    void onWebUpdate();
    static const Handler<SettingsDialog> handlers[];

    int initialPage_;
    // Until a page is shown, and after a Web Update for a product's page.
    static const int kNoPage = 0xFFFF;
    int currentPage_ = kNoPage;
    std::unique_ptr<Dialog> page_;
    HICON icon_ = nullptr;
    ImageListHandle images_;
    ProductList products_;
    // The progress window of the online update under way, or none.
    ProgressDialog* updating_ = nullptr;
    int installed_ = 0;
    int startRandom_ = 0;
};
