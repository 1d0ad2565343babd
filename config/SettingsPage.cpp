#include "config/SettingsPage.h"

#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <new>

#include "config/PageRules.h"
#include "config/SettingsStore.h"
#include "family/PageCommands.h"
#include "framework/ClassicDevMode.h"
#include "resources/DialogIds.h"

namespace {
const char* const kTabTitles[] = {"&Zandor 3D", "&About"};
const int kAboutTab = 1;
}

using PageHandler = Dialog::Handler<SettingsPage>;

const PageHandler SettingsPage::handlers[] = {
    PageHandler::forMessage(PageCommandPreview, &SettingsPage::onPreview),
    PageHandler::forMessage(PageCommandRestoreDefaults, &SettingsPage::onRestoreDefaults),
    PageHandler::forMessage(PageCommandIgnored, &SettingsPage::onIgnoredCommand),
    PageHandler::forMessage(WM_CLOSE, &SettingsPage::onClose),
    PageHandler::forCommand(IDC_DESKTOP_SETTINGS, BN_CLICKED, &SettingsPage::onDesktopClicked),
    PageHandler::forCommand(IDC_VIDEO_MODE, CBN_DROPDOWN, &SettingsPage::onModeDropDown),
    PageHandler::forCommand(IDC_VIDEO_MODE, CBN_SETFOCUS, &SettingsPage::onModeFocus),
    PageHandler::forNotify(IDC_PAGE_TABS, TCN_SELCHANGE, &SettingsPage::onTabChanged),
};

bool SettingsPage::create(const RECT& rect, HWND parent)
{
    return createPage(IDD_SETTINGS_PAGE, parent, rect);
}

INT_PTR SettingsPage::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (handle(handlers, message, wParam, lParam, result))
        return result;
    return Dialog::dialogProc(message, wParam, lParam);
}

BOOL SettingsPage::onInitDialog()
{
    HWND tabs = item(IDC_PAGE_TABS);
    for (int i = 0; i < static_cast<int>(std::size(kTabTitles)); ++i) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(kTabTitles[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
    }
    // The tab control lies under the page's controls, which it does not paint over.
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendDlgItemMessageA(hwnd(), IDC_SPEED_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    modes_.clear();
    load();
    return TRUE;
}

void SettingsPage::onDestroy()
{
    save();
    about_.reset();
}

void SettingsPage::load()
{
    SettingsStore().load(settings_);
    speed_ = settings_.animationSpeed;
    desktop_ = settings_.currentVideomode;
    demo_ = settings_.demoMode;
    random_ = settings_.randomCameraStart;
    HWND combo = item(IDC_VIDEO_MODE);
    EnableWindow(combo, settings_.currentVideomode == 0);
    // A combo that already holds an enumerated list keeps it and its selection.
    if (SendMessageA(combo, CB_GETCOUNT, 0, 0) == 1)
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    if (SendMessageA(combo, CB_GETCOUNT, 0, 0) == 0) {
        const std::string text =
            DisplayModeList::entryText(settings_.xResolution, settings_.yResolution, settings_.colorDepth);
        const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(combo, CB_SETITEMDATA, index, kStoredModeEntry);
        SendMessageA(combo, CB_SETCURSEL, index, 0);
    }
    transferToControls();
}

void SettingsPage::save()
{
    transferFromControls();
    settings_.currentVideomode = desktop_;
    settings_.animationSpeed = speed_;
    settings_.demoMode = demo_;
    settings_.randomCameraStart = random_;
    HWND combo = item(IDC_VIDEO_MODE);
    const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    const LRESULT itemData = selection == CB_ERR ? CB_ERR : SendMessageA(combo, CB_GETITEMDATA, selection, 0);
    applyModeChoice(settings_, selection != CB_ERR, itemData, modes_);
    SettingsStore().save(settings_);
}

void SettingsPage::transferToControls()
{
    SendDlgItemMessageA(hwnd(), IDC_SPEED_SLIDER, TBM_SETPOS, TRUE, speed_);
    CheckDlgButton(hwnd(), IDC_DEMO_MODE, demo_ ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_DESKTOP_SETTINGS, desktop_ ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_RANDOM_SEQUENCE, random_ ? BST_CHECKED : BST_UNCHECKED);
}

void SettingsPage::transferFromControls()
{
    speed_ = static_cast<int>(SendDlgItemMessageA(hwnd(), IDC_SPEED_SLIDER, TBM_GETPOS, 0, 0));
    demo_ = IsDlgButtonChecked(hwnd(), IDC_DEMO_MODE) == BST_CHECKED;
    desktop_ = IsDlgButtonChecked(hwnd(), IDC_DESKTOP_SETTINGS) == BST_CHECKED;
    random_ = IsDlgButtonChecked(hwnd(), IDC_RANDOM_SEQUENCE) == BST_CHECKED;
}

void SettingsPage::enumerateModes()
{
    modes_.clear();
    for (DWORD number = 0;; ++number) {
        DEVMODEA mode = classicDevMode();
        if (!EnumDisplaySettingsA(nullptr, number, &mode))
            break;
        modes_.offer(mode.dmFields, static_cast<int32_t>(mode.dmPelsWidth), static_cast<int32_t>(mode.dmPelsHeight),
                     static_cast<int32_t>(mode.dmBitsPerPel));
    }
    HWND combo = item(IDC_VIDEO_MODE);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (size_t row = 0; row < modes_.rows().size(); ++row) {
        const DisplayModeEntry& entry = modes_.rows()[row];
        const std::string text = DisplayModeList::entryText(entry.width, entry.height, entry.bitsPerPixel);
        const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(combo, CB_SETITEMDATA, index, static_cast<LPARAM>(row));
    }
}

std::string SettingsPage::selectedModeText() const
{
    HWND combo = item(IDC_VIDEO_MODE);
    const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return std::string();
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, selection, 0);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The first entry whose text equals the given one byte for byte; none selected otherwise.
void SettingsPage::selectModeText(const std::string& text)
{
    HWND combo = item(IDC_VIDEO_MODE);
    for (size_t row = 0; row < modes_.rows().size(); ++row) {
        const DisplayModeEntry& entry = modes_.rows()[row];
        if (DisplayModeList::entryText(entry.width, entry.height, entry.bitsPerPixel) == text) {
            SendMessageA(combo, CB_SETCURSEL, row, 0);
            return;
        }
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void SettingsPage::onDesktopClicked()
{
    transferFromControls();
    EnableWindow(item(IDC_VIDEO_MODE), desktop_ == 0);
}

void SettingsPage::onModeDropDown()
{
    if (modes_.empty())
        enumerateModes();
}

void SettingsPage::onModeFocus()
{
    const std::string remembered = selectedModeText();
    enumerateModes();
    selectModeText(remembered);
}

LRESULT SettingsPage::onPreview(WPARAM, LPARAM)
{
    save();
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return 0;
    const std::string command = std::string("\"") + path + "\" /sp";
    WinExec(command.c_str(), SW_SHOW);
    return 0;
}

LRESULT SettingsPage::onRestoreDefaults(WPARAM, LPARAM)
{
    Settings defaults;
    SettingsStore().load(defaults);
    restoreDefaults(defaults);
    SettingsStore().save(defaults);
    load();
    return 0;
}

LRESULT SettingsPage::onClose(WPARAM, LPARAM)
{
    destroy();
    return 0;
}

void SettingsPage::showSettingsControls(bool show)
{
    HWND tabs = item(IDC_PAGE_TABS);
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != tabs)
            ShowWindow(child, show ? SW_SHOW : SW_HIDE);
    }
}

LRESULT SettingsPage::onTabChanged(const NMHDR& header)
{
    about_.reset();
    if (TabCtrl_GetCurSel(header.hwndFrom) != kAboutTab) {
        showSettingsControls(true);
        return 0;
    }
    showSettingsControls(false);
    about_.reset(new (std::nothrow) AboutPage);
    if (!about_ || !about_->create(hwnd())) {
        about_.reset();
        return 0;
    }
    RECT area;
    GetClientRect(header.hwndFrom, &area);
    TabCtrl_AdjustRect(header.hwndFrom, FALSE, &area);
    MapWindowPoints(header.hwndFrom, hwnd(), reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(about_->hwnd(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW);
    return 0;
}
