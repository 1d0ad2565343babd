#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "DialogTestSupport.h"
#include "ProductFiles.h"
#include "config/ProductInfoPage.h"
#include "config/SettingsDialog.h"
#include "config/SettingsPage.h"
#include "update/ProductUpdate.h"
#include "family/FamilyPageHost.h"
#include "resources/DialogIds.h"
#include "tests/driver/Driver.h"

namespace {
const std::string kFamily = "Software\\Quarnel\\Orbicade";
const std::string kProduct = kFamily + "\\Zandor3D";
const std::string kGuestKey = "Software\\ZandorTests\\Guest";

std::string area()
{
    return driver::windowsPath(ZANDOR3D_DIALOG_TEST_DIR) + "\\";
}

std::string installPath()
{
    return area() + "install\\";
}

std::string standIn()
{
    return driver::windowsPath(FAMILY_STANDIN);
}

DWORD stored(const std::string& key, const char* name)
{
    DWORD value = 0xFFFFFFFF;
    driver::getDword(key, name, value);
    return value;
}

bool writeText(const std::string& path, const std::string& text)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    fwrite(text.data(), 1, text.size(), file);
    return fclose(file) == 0;
}

void grey(int, int, unsigned char rgb[3])
{
    rgb[0] = rgb[1] = rgb[2] = 128;
}

// A banded planet on black, for the pictures of the product page.
void planet(int x, int y, unsigned char rgb[3])
{
    const int dx = x - 120, dy = y - 100;
    const bool inside = dx * dx + dy * dy < 70 * 70;
    const int band = (y / 9) % 3;
    rgb[0] = static_cast<unsigned char>(inside ? 150 + band * 40 : 0);
    rgb[1] = static_cast<unsigned char>(inside ? 90 + band * 30 : 0);
    rgb[2] = static_cast<unsigned char>(inside ? 200 - band * 50 : (x * 7 + y * 13) % 97 == 0 ? 255 : 0);
}

// The dialog, made modeless so that the test can drive it from its own thread.
class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver::deleteTree("Software\\Quarnel");
        driver::deleteTree("Software\\ZandorTests");
        CreateDirectoryA(area().substr(0, area().size() - 1).c_str(), nullptr);
        ASSERT_TRUE(driver::setString(kProduct, "InstallPath", installPath()));
        DeleteFileA((installPath() + "web\\update.xml").c_str());
    }
    void TearDown() override
    {
        if (dialog && dialog->hwnd())
            dialog->destroyUnhidden();
        dialog.reset();
        driver::deleteTree("Software\\Quarnel");
        driver::deleteTree("Software\\ZandorTests");
    }

    void addMember(const std::string& id, const std::string& title, const std::string& path)
    {
        ASSERT_TRUE(driver::setString(kFamily + "\\List", id, title));
        ASSERT_TRUE(driver::setString(kFamily + "\\" + id, "ExecutablePath", path));
    }
    // One product of the cached document, with its screenshot and icon in the cache.
    void cacheProduct(const std::string& id, const dialog_test::PixelColour& screenshot = grey,
                      const std::string& description = "")
    {
        const std::string web = installPath() + "web\\";
        CreateDirectoryA(installPath().c_str(), nullptr);
        CreateDirectoryA(web.c_str(), nullptr);
        CreateDirectoryA((web + id).c_str(), nullptr);
        ASSERT_TRUE(dialog_test::writeJpeg(web + id + "\\screenshot.jpg", 240, 200, screenshot));
        ASSERT_TRUE(dialog_test::writeBmp(web + id + "\\icon.bmp", 32, 32, grey));
        ASSERT_TRUE(writeText(web + "update.xml",
                              "<?xml version=\"1.0\"?>\r\n<English><ProductsList><Count>1</Count>\r\n<Product1><ID>" +
                                  id + "</ID><Title>" + id + " 3D</Title><Version>2.0</Version><Description><Text>" +
                                  (description.empty() ? "About " + id : description) +
                                  "</Text><ScreenshotURL>http://get.test/s.jpg</ScreenshotURL><IconURL>"
                                  "http://get.test/i.bmp</IconURL></Description><DownloadURL>http://get.test/" +
                                  id + ".exe</DownloadURL></Product1></ProductsList></English>\r\n"));
    }
    void open()
    {
        dialog = std::make_unique<SettingsDialog>();
        ASSERT_TRUE(dialog->createModeless(IDD_SETTINGS_DIALOG, nullptr));
        ShowWindow(dialog->hwnd(), SW_SHOWNA);
        dialog_test::settle(50);
    }
    HWND control(int id) const { return dialog->item(id); }
    HWND list() const { return control(IDC_PRODUCT_LIST); }
    int count() const { return static_cast<int>(SendMessageA(list(), LVM_GETITEMCOUNT, 0, 0)); }
    LVITEMA entry(int index, std::string& text) const
    {
        char buffer[256] = {};
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(list(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        text = buffer;
        return item;
    }
    // As a click on an entry does it: focus and selection.
    void select(int index)
    {
        LVITEMA state = {};
        state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        state.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(list(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
        dialog_test::settle(50);
    }
    bool visible(int id) const { return IsWindowVisible(control(id)) != FALSE; }
    RECT pageArea() const
    {
        RECT rect;
        GetWindowRect(control(IDC_PAGE_AREA), &rect);
        return rect;
    }

    std::unique_ptr<SettingsDialog> dialog;
};

DWORD guestCount(const char* name)
{
    DWORD value = 0;
    driver::getDword(kGuestKey, name, value);
    return value;
}

// The program that owns the window, opened to be waited for.
HANDLE processOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return OpenProcess(SYNCHRONIZE, FALSE, pid);
}
}

TEST_F(SettingsDialogTest, WithoutFamilyItListsOnlyItselfShowsItsOwnPageAndDisablesStartRandom)
{
    open();
    EXPECT_EQ(driver::windowText(dialog->hwnd()), "Orbicade collection:  Zandor 3D screensaver");
    ASSERT_EQ(count(), 1);
    std::string text;
    const LVITEMA own = entry(0, text);
    EXPECT_EQ(text, "Zandor 3D screensaver");
    EXPECT_EQ(own.lParam, -1);
    EXPECT_EQ(own.iImage, 0);
    EXPECT_EQ(ImageList_GetImageCount(dialog->images()), 7);
    EXPECT_EQ(dialog->currentPage(), -1);
    ASSERT_NE(dynamic_cast<SettingsPage*>(dialog->page()), nullptr);
    RECT page;
    GetWindowRect(dialog->page()->hwnd(), &page);
    const RECT expected = pageArea();
    EXPECT_TRUE(EqualRect(&page, &expected));
    EXPECT_TRUE(IsWindowVisible(dialog->page()->hwnd()));
    EXPECT_TRUE(visible(IDC_RESTORE_DEFAULTS));
    EXPECT_TRUE(visible(IDC_PREVIEW));
    EXPECT_FALSE(IsWindowEnabled(control(IDC_START_RANDOM)));
    EXPECT_EQ(dialog->installedCount(), 0);
}

TEST_F(SettingsDialogTest, MembersAndCachedProductsGetTheirImagesAndOnlyOpenableProgramsCount)
{
    const std::string notAProgram = area() + "notaprogram.scr";
    ASSERT_TRUE(writeText(notAProgram, "plain text"));
    addMember("ZANDOR3D", "Zandor 3D", standIn());
    // The registry lists values by name.
    addMember("ALPHA", "Alpha 3D", standIn());
    addMember("BROKEN", "Broken 3D", notAProgram);
    cacheProduct("SAMPLE");
    open();
    ASSERT_EQ(count(), 4);
    const char* const titles[] = {"Zandor 3D screensaver", "Alpha 3D", "Broken 3D", "SAMPLE 3D"};
    const int images[] = {0, 7, 4, 8};
    for (int i = 0; i < 4; ++i) {
        std::string text;
        const LVITEMA item = entry(i, text);
        EXPECT_EQ(text, titles[i]);
        EXPECT_EQ(item.iImage, images[i]) << i;
        EXPECT_EQ(item.lParam, i - 1);
    }
    EXPECT_EQ(ImageList_GetImageCount(dialog->images()), 9);
    EXPECT_EQ(dialog->installedCount(), 1);
    EXPECT_TRUE(IsWindowEnabled(control(IDC_START_RANDOM)));
}

TEST_F(SettingsDialogTest, FocusSwitchesPagesOnceTheOwnPageReReadsWhatItSavedAndTakesRestoreDefaults)
{
    cacheProduct("SAMPLE");
    open();
    SendMessageA(dialog->page()->item(IDC_SPEED_SLIDER), TBM_SETPOS, TRUE, 23);

    select(1);
    EXPECT_EQ(stored(kProduct, "AnimationSpeed"), 23u) << "the own page did not save when left";
    EXPECT_EQ(dialog->currentPage(), 0);
    Dialog* info = dialog->page();
    ASSERT_NE(dynamic_cast<ProductInfoPage*>(info), nullptr);
    EXPECT_EQ(driver::windowText(info->item(IDC_PRODUCT_TITLE)), "SAMPLE 3D");
    EXPECT_EQ(driver::windowText(info->item(IDC_DESCRIPTION_1)), "About SAMPLE");
    EXPECT_NE(SendMessageA(info->item(IDC_SCREENSHOT), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_FALSE(visible(IDC_RESTORE_DEFAULTS));
    EXPECT_FALSE(visible(IDC_PREVIEW));

    // The same entry again: the page is not rebuilt.
    const HWND infoWindow = info->hwnd();
    LVITEMA state = {};
    state.stateMask = LVIS_FOCUSED;
    SendMessageA(list(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    select(1);
    EXPECT_EQ(dialog->page(), info);
    EXPECT_EQ(info->hwnd(), infoWindow);

    ASSERT_TRUE(driver::setDword(kProduct, "AnimationSpeed", 71));
    select(0);
    EXPECT_FALSE(IsWindow(infoWindow));
    ASSERT_NE(dynamic_cast<SettingsPage*>(dialog->page()), nullptr);
    EXPECT_EQ(SendMessageA(dialog->page()->item(IDC_SPEED_SLIDER), TBM_GETPOS, 0, 0), 71);
    EXPECT_TRUE(visible(IDC_RESTORE_DEFAULTS));
    EXPECT_TRUE(visible(IDC_PREVIEW));
    SendMessageA(control(IDC_RESTORE_DEFAULTS), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(dialog->page()->item(IDC_SPEED_SLIDER), TBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(stored(kProduct, "AnimationSpeed"), 50u);
}

TEST_F(SettingsDialogTest, OkWritesStartRandomAndClosingLeavesItAsItWas)
{
    addMember("GUEST", "Guest 3D", standIn());
    open();
    EXPECT_EQ(IsDlgButtonChecked(dialog->hwnd(), IDC_START_RANDOM), BST_UNCHECKED);
    SendMessageA(control(IDC_START_RANDOM), BM_CLICK, 0, 0);
    SendMessageA(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(dialog->hwnd(), nullptr);
    EXPECT_EQ(stored(kFamily, "StartRandom"), 1u);

    open();
    EXPECT_EQ(IsDlgButtonChecked(dialog->hwnd(), IDC_START_RANDOM), BST_CHECKED);
    SendMessageA(control(IDC_START_RANDOM), BM_CLICK, 0, 0);
    SendMessageA(dialog->hwnd(), WM_CLOSE, 0, 0);
    dialog->destroyUnhidden();
    EXPECT_EQ(stored(kFamily, "StartRandom"), 1u);
}

TEST_F(SettingsDialogTest, AMemberRunsAsAGuestThatGetsTheCommandsAndIsClosedWhenLeft)
{
    addMember("GUEST", "Guest 3D", standIn());
    open();
    select(1);
    auto* host = dynamic_cast<FamilyPageHost*>(dialog->page());
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(visible(IDC_RESTORE_DEFAULTS));
    EXPECT_TRUE(visible(IDC_PREVIEW));
    HWND guest = nullptr;
    ASSERT_TRUE(driver::waitFor([&] { return (guest = GetWindow(host->hwnd(), GW_CHILD)) != nullptr; }, 15000));
    char hostHandle[32];
    sprintf(hostHandle, "-1:%lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host->hwnd())));
    std::string line;
    ASSERT_TRUE(driver::getString(kGuestKey, "CommandLine", line));
    EXPECT_EQ(line, "\"" + standIn() + "\" " + hostHandle);

    SendMessageA(control(IDC_PREVIEW), BM_CLICK, 0, 0);
    SendMessageA(control(IDC_RESTORE_DEFAULTS), BM_CLICK, 0, 0);
    SendMessageA(control(IDC_RESTORE_DEFAULTS), BM_CLICK, 0, 0);
    EXPECT_EQ(guestCount("Preview"), 1u);
    EXPECT_EQ(guestCount("RestoreDefaults"), 2u);

    HANDLE process = processOf(guest);
    select(0);
    EXPECT_EQ(guestCount("Closed"), 1u);
    EXPECT_EQ(WaitForSingleObject(process, 15000), WAIT_OBJECT_0) << "the guest's program did not end";
    CloseHandle(process);
    EXPECT_NE(dynamic_cast<SettingsPage*>(dialog->page()), nullptr);
}

TEST_F(SettingsDialogTest, AGuestThatNeverAnswersItsCloseIsEndedAndAProgramThatCannotStartLeavesAnEmptyHost)
{
    const std::string notAProgram = area() + "notaprogram.scr";
    ASSERT_TRUE(writeText(notAProgram, "plain text"));
    addMember("ALPHA", "Alpha 3D", standIn());
    addMember("BROKEN", "Broken 3D", notAProgram);
    SetEnvironmentVariableA("ZANDOR_GUEST_HANG", "1");
    open();
    select(1);
    HWND guest = nullptr;
    ASSERT_TRUE(
        driver::waitFor([&] { return (guest = GetWindow(dialog->page()->hwnd(), GW_CHILD)) != nullptr; }, 15000));
    HANDLE process = processOf(guest);
    const DWORD started = GetTickCount();
    select(2);
    printf("[ figures ] a hung guest held the dialog for %lu ms\n", GetTickCount() - started);
    SetEnvironmentVariableA("ZANDOR_GUEST_HANG", nullptr);
    EXPECT_EQ(WaitForSingleObject(process, 15000), WAIT_OBJECT_0) << "the hung guest still runs";
    CloseHandle(process);
    EXPECT_EQ(guestCount("Closed"), 0u);

    auto* empty = dynamic_cast<FamilyPageHost*>(dialog->page());
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(IsWindowVisible(empty->hwnd()));
    dialog_test::settle(300);
    EXPECT_EQ(GetWindow(empty->hwnd(), GW_CHILD), nullptr);
}

TEST_F(SettingsDialogTest, PicturesOfTheDialogWithEachKindOfPageForPeople)
{
    const std::string folder = driver::windowsPath(ZANDOR3D_SHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string notAProgram = area() + "notaprogram.scr";
    ASSERT_TRUE(writeText(notAProgram, "plain text"));
    addMember("VANTORIN", "Vantorin 3D", notAProgram);
    cacheProduct("KESSARA", planet,
                 "Northern lights over a frozen sea.\nTwelve camera tours.\nFree to try for 30 days.\n");
    open();
    auto picture = [&](const char* name) {
        dialog_test::settle(300);
        EXPECT_TRUE(dialog_test::writePng(dialog_test::captureClient(dialog->hwnd()), folder + "\\" + name));
    };
    picture("settings-dialog.png");

    // A member's page is drawn by its own program, which Wine does not show across
    // processes: our own page stands in for it inside the (empty) host.
    select(1);
    ASSERT_NE(dynamic_cast<FamilyPageHost*>(dialog->page()), nullptr);
    RECT client;
    GetClientRect(dialog->page()->hwnd(), &client);
    auto guest = std::make_unique<SettingsPage>();
    ASSERT_TRUE(guest->create(client, dialog->page()->hwnd()));
    ShowWindow(guest->hwnd(), SW_SHOWNA);
    picture("settings-dialog-member.png");

    select(2);
    EXPECT_EQ(guest->hwnd(), nullptr) << "the host did not close the page inside it";
    picture("settings-dialog-product.png");
}

// Greek, Japanese and French titles, written as a publishing tool writes them (a
// byte order mark, a DOCTYPE, a comment, a namespace, attributes, CDATA and
// references), reach the list, the page and its title label as written.
TEST_F(SettingsDialogTest, TitlesInThreeScriptsReadBackAsWrittenFromEveryControl)
{
    const struct {
        const char* id;
        const char* xmlTitle;
        const wchar_t* title;
    } products[] = {
        {"GREEK", "\xCE\x96\xCE\xAC\xCE\xBD\xCF\x84\xCE\xBF\xCF\x81 &amp; \xCF\x86\xCE\xAF\xCE\xBB\xCE\xBF\xCE\xB9",
         L"\u0396\u03AC\u03BD\u03C4\u03BF\u03C1 & \u03C6\u03AF\u03BB\u03BF\u03B9"},
        {"JAPAN", "<![CDATA[\xE3\x82\xB6\xE3\x83\xB3\xE3\x83\x89\xE3\x83\xBC\xE3\x83\xAB 3D]]>",
         L"\u30B6\u30F3\u30C9\u30FC\u30EB 3D"},
        {"FRENCH", "Plan&#xE8;te &maker; \xC3\xA9t\xC3\xA9", L"Plan\u00E8te Orbicade \u00E9t\u00E9"},
    };
    std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE English [<!ENTITY maker "
                      "\"Orbicade\">]>\r\n<!-- exported -->\r\n<English xmlns=\"urn:orbicade\" lang=\"en\">"
                      "<ProductsList><Count>3</Count>\r\n";
    int number = 0;
    for (const auto& product : products) {
        cacheProduct(product.id, planet);
        const std::string name = "Product" + std::to_string(++number);
        xml += "<" + name + " n=\"" + std::to_string(number) + "\"><ID>" + product.id + "</ID><Title>" +
               product.xmlTitle + "</Title><Version/><Description><Text>" + product.xmlTitle +
               "\n&#x3A9;mega</Text><ScreenshotURL>http://get.test/s.jpg</ScreenshotURL><IconURL></IconURL>"
               "</Description><DownloadURL>http://get.test/get?id=7&amp;lang=x</DownloadURL></" +
               name + ">\r\n";
    }
    ASSERT_TRUE(writeText(installPath() + "web\\update.xml", xml + "</ProductsList></English>\r\n"));
    open();
    ASSERT_EQ(count(), 4);
    for (int i = 0; i < 3; ++i) {
        wchar_t text[256] = {};
        LVITEMW item = {};
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(list(), LVM_GETITEMTEXTW, i + 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::wstring(text), products[i].title) << products[i].id;
        select(i + 1);
        ASSERT_NE(dynamic_cast<ProductInfoPage*>(dialog->page()), nullptr);
        HWND page = dialog->page()->hwnd();
        GetWindowTextW(GetDlgItem(page, IDC_PRODUCT_TITLE), text, 256);
        EXPECT_EQ(std::wstring(text), products[i].title) << products[i].id;
        GetWindowTextW(GetDlgItem(page, IDC_DESCRIPTION_1), text, 256);
        EXPECT_EQ(std::wstring(text), products[i].title) << products[i].id;
        GetWindowTextW(GetDlgItem(page, IDC_DESCRIPTION_2), text, 256);
        EXPECT_EQ(std::wstring(text), L"\u03A9mega");
    }
    select(1);
    const std::string folder = driver::windowsPath(ZANDOR3D_SHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    dialog_test::settle(300);
    EXPECT_TRUE(dialog_test::writePng(dialog_test::captureClient(dialog->hwnd()),
                                      folder + "\\settings-dialog-three-scripts.png"));
}

// How long the dialog takes to list thousands of cached products, each with its icon.
TEST_F(SettingsDialogTest, ThousandsOfCachedProductsFillTheListInFigures)
{
    const int products = 3000;
    const std::string web = installPath() + "web\\";
    CreateDirectoryA(installPath().c_str(), nullptr);
    CreateDirectoryA(web.c_str(), nullptr);
    ASSERT_TRUE(dialog_test::writeBmp(area() + "icon.bmp", 32, 32, grey));
    std::string xml = "<English><ProductsList><Count>" + std::to_string(products) + "</Count>";
    for (int i = 1; i <= products; ++i) {
        const std::string id = "P" + std::to_string(i);
        CreateDirectoryA((web + id).c_str(), nullptr);
        CopyFileA((area() + "icon.bmp").c_str(), (web + id + "\\icon.bmp").c_str(), FALSE);
        xml += "<Product" + std::to_string(i) + "><ID>" + id + "</ID><Title>" + id +
               "</Title><Version>1</Version><Description><Text>t</Text><ScreenshotURL>http://h/s.jpg</ScreenshotURL>"
               "<IconURL>http://h/i.bmp</IconURL></Description><DownloadURL>http://h/g</DownloadURL></Product" +
               std::to_string(i) + ">";
    }
    ASSERT_TRUE(writeText(web + "update.xml", xml + "</ProductsList></English>"));
    DWORD started = GetTickCount();
    ProductList rebuilt;
    rebuildProductList(rebuilt, {}, installPath(), false, nullptr);
    printf("[ figures ] reading %d cached products took %lu ms\n", products, GetTickCount() - started);
    started = GetTickCount();
    for (const ProductEntry& product : rebuilt)
        DeleteObject(LoadImageA(nullptr, product.iconPath.c_str(), IMAGE_BITMAP, 32, 32, LR_LOADFROMFILE));
    printf("[ figures ] loading their icons took %lu ms\n", GetTickCount() - started);
    started = GetTickCount();
    open();
    printf("[ figures ] the dialog listed %d cached products in %lu ms\n", products, GetTickCount() - started);
    EXPECT_EQ(count(), products + 1);
}
