#include "config/SettingsDialog.h"

#include <commctrl.h>

#include "config/FamilyIcon.h"
#include "config/ProductInfoPage.h"
#include "config/ProgressDialog.h"
#include "config/SettingsPage.h"
#include "config/SettingsStore.h"
#include "family/FamilyPageHost.h"
#include "family/PageCommands.h"
#include "framework/DeviceContext.h"
#include "framework/MessageBox.h"
#include "resources/DialogIds.h"
#include "resources/ProductStrings.h"
#include "update/ProductUpdate.h"
#include "update/WideText.h"

namespace {
const int kIconSize = 32;
const int kIconSpacing = 70;
const COLORREF kMaskColour = RGB(255, 0, 255);
// Image 0 is the program's icon, 1 to 6 the cells of the list's bitmap.
const int kFixedImages = 7;
// Images the list makes room for at a time: a list of thousands of products would
// otherwise copy all its images once for every one added.
const int kImageGrowth = 64;
// The cell shown for a member whose program cannot be opened.
const int kUnopenedImage = 4;

const char kNoInstallPath[] = "Can't find program's installation path.\nPlease reinstall this software!";
const char kCantInit[] = "Can't init internet connection!";
const char kCantSave[] = "Can't save temporary data! \n\t\t\tPlease check free disk space or access rights "
                         "\n\t\t\tfor program's installation path, or reinstall the program.";
const char kUpdateFailed[] = "Failed to update products list Online!";

// The message that says why an update did not succeed, before the general one.
const char* reason(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::noInstallPath:
        return kNoInstallPath;
    case UpdateOutcome::cannotConnect:
        return kCantInit;
    case UpdateOutcome::cannotSave:
        return kCantSave;
    default:
        return nullptr;
    }
}
}

const int SettingsDialog::kNoPage;

using DialogHandler = Dialog::Handler<SettingsDialog>;

const DialogHandler SettingsDialog::handlers[] = {
    DialogHandler::forNotify(IDC_PRODUCT_LIST, LVN_ITEMCHANGED, &SettingsDialog::onItemChanged),
    DialogHandler::forCommand(IDC_RESTORE_DEFAULTS, BN_CLICKED, &SettingsDialog::onRestoreDefaults),
    DialogHandler::forCommand(IDC_PREVIEW, BN_CLICKED, &SettingsDialog::onPreview),
    DialogHandler::forCommand(IDC_WEB_UPDATE, BN_CLICKED, &SettingsDialog::onWebUpdate),
};

INT_PTR SettingsDialog::run(HWND owner)
{
    return runModal(IDD_SETTINGS_DIALOG, owner);
}

INT_PTR SettingsDialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (handle(handlers, message, wParam, lParam, result))
        return result;
    if (message == WM_PAINT && paintMinimised())
        return TRUE;
    return Dialog::dialogProc(message, wParam, lParam);
}

BOOL SettingsDialog::onInitDialog()
{
    icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    createImages();
    fillList(false);
    selectPage(initialPage_);
    switchTo(initialPage_);
    startRandom_ = SettingsStore().readStartRandom();
    CheckDlgButton(hwnd(), IDC_START_RANDOM, startRandom_ ? BST_CHECKED : BST_UNCHECKED);
    // The launcher has nothing to choose from without another installed member.
    EnableWindow(item(IDC_START_RANDOM), installed_ > 0);
    return TRUE;
}

void SettingsDialog::createImages()
{
    images_.reset(ImageList_Create(kIconSize, kIconSize, ILC_COLOR16 | ILC_MASK, 0, kImageGrowth));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ImageList_AddIcon(images_.get(), icon_);
    BitmapHandle cells(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_LIST_CELLS), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    ImageList_AddMasked(images_.get(), cells.get(), kMaskColour);
}

// The list on show stays until the new one is complete.
void SettingsDialog::fillList(bool online)
{
    Settings sources;
    SettingsStore().load(sources);
    ProductList fresh;
    const UpdateOutcome outcome =
        online ? rebuildOnline(fresh, sources)
               : rebuildProductList(fresh, sources.familyList, sources.installPath, false, nullptr);
    products_.swap(fresh);
    HWND list = item(IDC_PRODUCT_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list, LVM_SETICONSPACING, 0, MAKELPARAM(kIconSpacing, kIconSpacing));
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.get()));
    // Icons of an earlier fill make way for the new ones.
    ImageList_SetImageCount(images_.get(), kFixedImages);
    insertEntry(0, STR_PRODUCT_TITLE, 0, ownPage);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_SETSELECTIONMARK, 0, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    installed_ = 0;
    // One layout and one repaint for the whole list, however long.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < static_cast<int>(products_.size()); ++i)
        insertEntry(i + 1, products_[i].title, productImage(products_[i]), i);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    report(outcome, online);
}

// The update keeps every window of the thread answering; this dialog takes no input
// until it ends, and closing it cancels the update. The progress window goes without
// a hide, which under Wine would wait up to 2 s for a window manager.
UpdateOutcome SettingsDialog::rebuildOnline(ProductList& fresh, const Settings& sources)
{
    ProgressDialog progress;
    progress.create(nullptr);
    progress.show();
    EnableWindow(hwnd(), FALSE);
    updating_ = &progress;
    const UpdateOutcome outcome =
        rebuildProductList(fresh, sources.familyList, sources.installPath, true, &progress.sink());
    updating_ = nullptr;
    EnableWindow(hwnd(), TRUE);
    progress.destroyUnhidden();
    return outcome;
}

// Offline only a missing installation path is worth a word; a cancelled update none.
void SettingsDialog::report(UpdateOutcome outcome, bool online)
{
    if (const char* text = reason(outcome))
        showMessage(hwnd(), text, MB_OK);
    if (online && outcome != UpdateOutcome::success && outcome != UpdateOutcome::cancelled)
        showMessage(hwnd(), kUpdateFailed, MB_OK);
}

void SettingsDialog::insertEntry(int position, const std::string& title, int image, int page)
{
    std::wstring text = widen(title);
    LVITEMW entry = {};
    entry.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    entry.iItem = position;
    entry.pszText = &text[0];
    entry.iImage = image;
    entry.lParam = page;
    SendDlgItemMessageW(hwnd(), IDC_PRODUCT_LIST, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
}

// An installed member shows its program's own icon; any other product the icon
// the update downloaded, or nothing.
int SettingsDialog::productImage(const ProductEntry& product)
{
    if (!product.executablePath.empty()) {
        IconHandle icon;
        if (!loadFamilyIcon(product.executablePath, icon))
            return kUnopenedImage;
        ++installed_;
        if (!icon)
            return kUnopenedImage;
        return ImageList_AddIcon(images_.get(), icon.get());
    }
    BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, product.iconPath.c_str(), IMAGE_BITMAP, kIconSize, kIconSize, LR_LOADFROMFILE)));
    return bitmap ? ImageList_AddMasked(images_.get(), bitmap.get(), kMaskColour) : -1;
}

void SettingsDialog::selectPage(int page)
{
    HWND list = item(IDC_PRODUCT_LIST);
    const LRESULT mark = SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0);
    LVITEMA entry = {};
    entry.mask = LVIF_PARAM;
    entry.iItem = static_cast<int>(mark);
    if (mark >= 0 && SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)) && entry.lParam == page)
        return;
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = page;
    const LRESULT found = SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    if (found < 0)
        return;
    LVITEMA state = {};
    state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(found), reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(found), FALSE);
}

void SettingsDialog::switchTo(int page)
{
    if (page == currentPage_)
        return;
    closePage();
    RECT area = {};
    GetWindowRect(item(IDC_PAGE_AREA), &area);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
    page_ = createPage(page, area);
    if (page_ && page_->hwnd())
        ShowWindow(page_->hwnd(), SW_SHOWNA);
    currentPage_ = page;
}

std::unique_ptr<Dialog> SettingsDialog::createPage(int page, const RECT& rect)
{
    const bool settingsPage = page == ownPage || (page >= 0 && page < static_cast<int>(products_.size()) &&
                                                  !products_[page].executablePath.empty());
    ShowWindow(item(IDC_RESTORE_DEFAULTS), settingsPage ? SW_SHOW : SW_HIDE);
    ShowWindow(item(IDC_PREVIEW), settingsPage ? SW_SHOW : SW_HIDE);
    if (page == ownPage) {
        auto own = std::make_unique<SettingsPage>();
        own->create(rect, hwnd());
        return own;
    }
    if (page < 0 || page >= static_cast<int>(products_.size()))
        return nullptr;
    const ProductEntry& product = products_[page];
    if (!product.executablePath.empty()) {
        // A guest that cannot start leaves the empty host as the page.
        auto host = std::make_unique<FamilyPageHost>();
        host->create(rect, product.executablePath, hwnd());
        return host;
    }
    auto info = std::make_unique<ProductInfoPage>();
    info->create(rect, hwnd(), product.title, product.description, product.downloadUrl, product.screenshotPath);
    return info;
}

void SettingsDialog::closePage()
{
    if (page_ && page_->hwnd())
        page_->destroy();
    page_.reset();
}

void SettingsDialog::sendToPage(UINT command)
{
    if (page_ && page_->hwnd())
        SendMessageA(page_->hwnd(), command, 0, 0);
}

bool SettingsDialog::paintMinimised()
{
    if (!IsIconic(hwnd()))
        return false;
    PaintDC dc(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.get(), x, y, icon_);
    return true;
}

LRESULT SettingsDialog::onItemChanged(const NMHDR& header)
{
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool gainsFocus =
        (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED);
    if (!gainsFocus || change.iItem < 0)
        return 0;
    LVITEMA entry = {};
    entry.mask = LVIF_PARAM;
    entry.iItem = change.iItem;
    if (SendMessageA(header.hwndFrom, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)))
        switchTo(static_cast<int>(entry.lParam));
    return 0;
}

void SettingsDialog::onRestoreDefaults()
{
    sendToPage(PageCommandRestoreDefaults);
}

void SettingsDialog::onPreview()
{
    sendToPage(PageCommandPreview);
}

void SettingsDialog::onWebUpdate()
{
    if (updating_)
        return;
    fillList(true);
    // The page stays, but the entry it showed may have moved in the new list: the
    // next choice of any product entry builds its page afresh.
    if (currentPage_ != ownPage)
        currentPage_ = kNoPage;
}

void SettingsDialog::onOK()
{
    if (updating_)
        updating_->cancel();
    startRandom_ = IsDlgButtonChecked(hwnd(), IDC_START_RANDOM) == BST_CHECKED;
    SettingsStore().writeStartRandom(startRandom_);
    endDialog(IDOK);
}

void SettingsDialog::onCancel()
{
    if (updating_)
        updating_->cancel();
    Dialog::onCancel();
}

void SettingsDialog::onDestroy()
{
    closePage();
    SendDlgItemMessageA(hwnd(), IDC_PRODUCT_LIST, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
    images_.reset();
}
