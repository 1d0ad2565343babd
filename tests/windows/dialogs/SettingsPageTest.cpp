#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "config/SettingsPage.h"
#include "family/PageCommands.h"
#include "resources/DialogIds.h"
#include "tests/driver/Driver.h"

namespace {
const std::string kProduct = "Software\\Quarnel\\Orbicade\\Zandor3D";
const int kPageWidth = 300, kPageHeight = 200;

DWORD stored(const char* name)
{
    DWORD value = 0xFFFFFFFF;
    driver::getDword(kProduct, name, value);
    return value;
}

struct StoredValue {
    const char* name;
    DWORD value;
};

void store(std::initializer_list<StoredValue> values)
{
    for (const StoredValue& v : values)
        ASSERT_TRUE(driver::setDword(kProduct, v.name, v.value)) << v.name;
}

void expectStored(std::initializer_list<StoredValue> values)
{
    for (const StoredValue& v : values)
        EXPECT_EQ(stored(v.name), v.value) << v.name;
}

// The page inside a host window of the test, as the settings dialog would hold it.
class SettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override { driver::deleteTree("Software\\Quarnel"); }
    void TearDown() override
    {
        page.reset();
        driver::deleteTree("Software\\Quarnel");
    }

    void open()
    {
        host = std::make_unique<dialog_test::HostWindow>(kPageWidth, kPageHeight);
        page = std::make_unique<SettingsPage>();
        const RECT rect = {0, 0, kPageWidth, kPageHeight};
        ASSERT_TRUE(page->create(rect, host->hwnd));
        // The tab control covers the page at the template's own size: host and page take it.
        RECT natural;
        GetWindowRect(control(IDC_PAGE_TABS), &natural);
        const int width = natural.right - natural.left, height = natural.bottom - natural.top;
        SetWindowPos(host->hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
        MoveWindow(page->hwnd(), 0, 0, width, height, TRUE);
        ShowWindow(page->hwnd(), SW_SHOWNA);
        dialog_test::settle(50);
    }
    void close()
    {
        SendMessageA(page->hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(page->hwnd(), nullptr);
    }

    HWND control(int id) const { return page->item(id); }
    LRESULT comboCount() const { return SendMessageA(control(IDC_VIDEO_MODE), CB_GETCOUNT, 0, 0); }
    std::string comboText(LRESULT index) const
    {
        char text[64] = {};
        if (index >= 0)
            SendMessageA(control(IDC_VIDEO_MODE), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string selectedText() const { return comboText(SendMessageA(control(IDC_VIDEO_MODE), CB_GETCURSEL, 0, 0)); }
    void focusCombo() const
    {
        SendMessageA(page->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_VIDEO_MODE, CBN_SETFOCUS),
                     reinterpret_cast<LPARAM>(control(IDC_VIDEO_MODE)));
    }
    void click(int id) const { SendMessageA(control(id), BM_CLICK, 0, 0); }
    bool checked(int id) const { return IsDlgButtonChecked(page->hwnd(), id) == BST_CHECKED; }
    void chooseTab(int index) const
    {
        SendMessageA(control(IDC_PAGE_TABS), TCM_SETCURFOCUS, index, 0);
        dialog_test::settle(50);
    }
    HWND aboutPanel() const
    {
        for (HWND child = GetWindow(page->hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (driver::className(child) == "#32770")
                return child;
        }
        return nullptr;
    }

    std::unique_ptr<dialog_test::HostWindow> host;
    std::unique_ptr<SettingsPage> page;
};

const int kSettingsControls[] = {IDC_VIDEO_MODE, IDC_DESKTOP_SETTINGS, IDC_SPEED_SLIDER, IDC_RANDOM_SEQUENCE,
                                 IDC_DEMO_MODE};
}  // namespace

TEST_F(SettingsPageTest, AFreshPageShowsTheStoredModeAndTheDefaultsAndSavesThemOnClose)
{
    open();
    char tabText[32] = {};
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = tabText;
    tab.cchTextMax = sizeof tabText;
    ASSERT_EQ(SendMessageA(control(IDC_PAGE_TABS), TCM_GETITEMCOUNT, 0, 0), 2);
    SendMessageA(control(IDC_PAGE_TABS), TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    EXPECT_STREQ(tabText, "&Zandor 3D");
    SendMessageA(control(IDC_PAGE_TABS), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&tab));
    EXPECT_STREQ(tabText, "&About");

    ASSERT_EQ(comboCount(), 1);
    EXPECT_EQ(selectedText(), "1024x768 (16 bits)");
    EXPECT_EQ(SendMessageA(control(IDC_VIDEO_MODE), CB_GETITEMDATA, 0, 0), -2);
    EXPECT_FALSE(IsWindowEnabled(control(IDC_VIDEO_MODE)));
    EXPECT_TRUE(checked(IDC_DESKTOP_SETTINGS));
    EXPECT_TRUE(checked(IDC_RANDOM_SEQUENCE));
    EXPECT_FALSE(checked(IDC_DEMO_MODE));
    EXPECT_EQ(SendMessageA(control(IDC_SPEED_SLIDER), TBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(SendMessageA(page->hwnd(), PageCommandIgnored, 0, 0), 0);

    close();
    expectStored({{"XResolution", 1024},
                  {"YResolution", 768},
                  {"ColorDepth", 16},
                  {"CurrentVideomode", 1},
                  {"AnimationSpeed", 40},
                  {"RandomCameraStart", 1},
                  {"DemoMode", 0}});
}

TEST_F(SettingsPageTest, EditsOfEveryControlAreStoredWhenThePageGoes)
{
    for (int speed : {0, 100}) {
        SCOPED_TRACE(speed);
        open();
        SendMessageA(control(IDC_SPEED_SLIDER), TBM_SETPOS, TRUE, speed);
        click(IDC_DEMO_MODE);
        click(IDC_RANDOM_SEQUENCE);
        click(IDC_DESKTOP_SETTINGS);
        EXPECT_TRUE(IsWindowEnabled(control(IDC_VIDEO_MODE)));
        close();
        EXPECT_EQ(stored("AnimationSpeed"), DWORD(speed));
        EXPECT_EQ(stored("DemoMode"), 1u);
        EXPECT_EQ(stored("RandomCameraStart"), 0u);
        EXPECT_EQ(stored("CurrentVideomode"), 0u);
        driver::deleteTree("Software\\Quarnel");
    }
}

TEST_F(SettingsPageTest, FocusEnumeratesTheScreensModesAndReselectsTheStoredOne)
{
    store({{"XResolution", 1024}, {"YResolution", 768}, {"ColorDepth", 32}, {"CurrentVideomode", 0}});
    open();
    EXPECT_TRUE(IsWindowEnabled(control(IDC_VIDEO_MODE)));
    focusCombo();
    // Plain Xvfb offers its start-up size at 32, 16 and 8 bits.
    std::set<std::string> texts;
    for (LRESULT i = 0; i < comboCount(); ++i) {
        texts.insert(comboText(i));
        EXPECT_EQ(SendMessageA(control(IDC_VIDEO_MODE), CB_GETITEMDATA, i, 0), i);
        EXPECT_EQ(comboText(i).find("(8 bits)"), std::string::npos);
    }
    EXPECT_EQ(texts.size(), size_t(comboCount()));
    EXPECT_EQ(texts.count("1024x768 (32 bits)"), 1u);
    EXPECT_EQ(selectedText(), "1024x768 (32 bits)");

    // Choosing a mode and then ticking "Use desktop settings" keeps both.
    SendMessageA(control(IDC_VIDEO_MODE), CB_SETCURSEL, 0, 0);
    const std::string chosen = selectedText();
    click(IDC_DESKTOP_SETTINGS);
    EXPECT_FALSE(IsWindowEnabled(control(IDC_VIDEO_MODE)));
    close();
    EXPECT_EQ(stored("CurrentVideomode"), 1u);
    EXPECT_EQ(DisplayModeList::entryText(stored("XResolution"), stored("YResolution"), stored("ColorDepth")), chosen);
}

TEST_F(SettingsPageTest, AStoredModeTheScreenDoesNotOfferLeavesNoSelectionAndTheDesktopMode)
{
    store({{"XResolution", 999}, {"YResolution", 555}, {"ColorDepth", 32}, {"CurrentVideomode", 0}});
    open();
    EXPECT_EQ(selectedText(), "999x555 (32 bits)");
    focusCombo();
    EXPECT_GT(comboCount(), 0);
    EXPECT_EQ(SendMessageA(control(IDC_VIDEO_MODE), CB_GETCURSEL, 0, 0), CB_ERR);
    close();
    expectStored({{"CurrentVideomode", 1}, {"XResolution", 999}});
}

TEST_F(SettingsPageTest, RestoreDefaultsStoresThePageDefaultsKeepsTheRandomStartAndShowsThem)
{
    store({{"XResolution", 640},
           {"YResolution", 480},
           {"ColorDepth", 32},
           {"CurrentVideomode", 0},
           {"AnimationSpeed", 7},
           {"CamMode", 2},
           {"NightSide", 0},
           {"DemoMode", 1},
           {"RandomCameraStart", 0}});
    open();
    EXPECT_EQ(SendMessageA(page->hwnd(), PageCommandRestoreDefaults, 0, 0), 0);
    expectStored({{"XResolution", 1024},
                  {"YResolution", 768},
                  {"ColorDepth", 16},
                  {"CurrentVideomode", 1},
                  {"AnimationSpeed", 50},
                  {"CamMode", 0},
                  {"NightSide", 1},
                  {"DemoMode", 0},
                  {"RandomCameraStart", 0}});
    EXPECT_EQ(SendMessageA(control(IDC_SPEED_SLIDER), TBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(selectedText(), "1024x768 (16 bits)");
    EXPECT_FALSE(IsWindowEnabled(control(IDC_VIDEO_MODE)));
    EXPECT_FALSE(checked(IDC_DEMO_MODE));
    EXPECT_FALSE(checked(IDC_RANDOM_SEQUENCE));
}

TEST_F(SettingsPageTest, RestoreDefaultsKeepsAnEnumeratedSelection)
{
    store({{"XResolution", 1024}, {"YResolution", 768}, {"ColorDepth", 32}});
    open();
    focusCombo();
    const LRESULT count = comboCount();
    ASSERT_EQ(selectedText(), "1024x768 (32 bits)");
    SendMessageA(page->hwnd(), PageCommandRestoreDefaults, 0, 0);
    EXPECT_EQ(comboCount(), count);
    EXPECT_EQ(selectedText(), "1024x768 (32 bits)");
    close();
    expectStored({{"ColorDepth", 32}, {"CurrentVideomode", 1}});
}

TEST_F(SettingsPageTest, TheAboutTabHidesTheSettingsAndShowsThePanelAndBackAgain)
{
    open();
    chooseTab(1);
    for (int id : kSettingsControls)
        EXPECT_FALSE(IsWindowVisible(control(id))) << id;
    EXPECT_TRUE(IsWindowVisible(control(IDC_PAGE_TABS)));
    HWND about = aboutPanel();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsWindowVisible(about));
    RECT area, tabs;
    GetWindowRect(about, &area);
    GetWindowRect(control(IDC_PAGE_TABS), &tabs);
    EXPECT_GT(area.top, tabs.top);
    EXPECT_LE(area.bottom, tabs.bottom);
    bool contact = false;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        contact = contact || driver::windowText(child) == "Contact Us:";
    EXPECT_TRUE(contact);

    chooseTab(0);
    for (int id : kSettingsControls)
        EXPECT_TRUE(IsWindowVisible(control(id))) << id;
    EXPECT_EQ(aboutPanel(), nullptr);
}

TEST_F(SettingsPageTest, PicturesOfThePageAndTheAboutPanelForPeople)
{
    const std::string folder = driver::windowsPath(ZANDOR3D_SHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    open();
    dialog_test::settle(200);
    EXPECT_TRUE(dialog_test::writePng(dialog_test::captureClient(host->hwnd), folder + "\\settings-page.png"));
    chooseTab(1);
    dialog_test::settle(200);
    EXPECT_TRUE(dialog_test::writePng(dialog_test::captureClient(host->hwnd), folder + "\\about-panel.png"));
}
