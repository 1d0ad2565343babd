// The configuration dialog of the real program under Wine, driven from outside:
// its catalogue, our own page, another member's page as a guest process, and Web
// Update against the local test server. Pages of other processes are checked
// through messages (what they draw across processes does not reach the screen).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <tlhelp32.h>

#include "ProductFiles.h"
#include "resources/DialogIds.h"
#include "tests/driver/Driver.h"
#include "tests/driver/ListViewDriver.h"
#include "tests/windows/update/UpdateTestSupport.h"

namespace {
const char kAtom[] = "ZANDOR 3D ScreenSaver";
const std::string kFamily = "Software\\Quarnel\\Orbicade";
const std::string kProduct = kFamily + "\\Zandor3D";
const std::string kGuestKey = "Software\\ZandorTests\\Guest";

std::string screensaver()
{
    return driver::windowsPath(ZANDOR3D_BIN_DIR "/Zandor3D.scr");
}

std::string area()
{
    return driver::windowsPath(E2E_DIALOG_AREA) + "\\";
}

LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

void click(HWND dialog, int id)
{
    send(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The dialog's current page: its one child dialog.
HWND pageOf(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (driver::className(child) == "#32770")
            return child;
    }
    return nullptr;
}

DWORD processOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// A running program of that file name other than the one given; 0 while there is none.
DWORD otherProcessNamed(const char* name, DWORD besides)
{
    DWORD found = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID != besides && lstrcmpiA(entry.szExeFile, name) == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

bool waitForProcessEnd(DWORD pid, DWORD timeoutMs)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process)
        return true;
    const bool ended = driver::waitFor([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs);
    CloseHandle(process);
    return ended;
}

// Preview asked some page to start a full-screen run of program: it comes up over
// the whole screen and ends on a key.
void expectFullScreenRunOf(const char* program, DWORD besides)
{
    DWORD run = 0;
    ASSERT_TRUE(driver::waitFor([&] { return (run = otherProcessNamed(program, besides)) != 0; }, 20000))
        << "no full-screen run of " << program << " came up";
    HWND screen = driver::waitForScreenWindow(run);
    ASSERT_NE(screen, nullptr);
    RECT rect;
    GetWindowRect(screen, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    PostMessageA(screen, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(waitForProcessEnd(run, 30000));
}

void grey(int, int, unsigned char rgb[3])
{
    rgb[0] = rgb[1] = rgb[2] = 90;
}

// The product list document of the server, with the products in that order; each
// shares the pictures of NEWONE.
void serveProducts(std::initializer_list<std::string> ids)
{
    std::string xml =
        "<?xml version=\"1.0\"?>\r\n<English><ProductsList><Count>" + std::to_string(ids.size()) + "</Count>\r\n";
    int number = 0;
    for (const std::string& id : ids) {
        const std::string name = "Product" + std::to_string(++number);
        xml += "<" + name + "><ID>" + id + "</ID><Title>" + id +
               " 3D</Title><Version>2.0</Version><Description><Text>Brand new</Text>"
               "<ScreenshotURL>http://www.orbicade.com/img/NEWONE.jpg</ScreenshotURL>"
               "<IconURL>http://www.orbicade.com/img/NEWONE.bmp</IconURL></Description>"
               "<DownloadURL>http://www.orbicade.com/get/" +
               id + ".exe</DownloadURL></" + name + ">\r\n";
    }
    updatetest::server::put("/update/orbicade.xml", xml + "</ProductsList></English>\r\n");
}

const char kProgressCaption[] = "Web Update. Please wait...";

// A visible top window of the program, other than the dialog, with that caption.
HWND topWindowTitled(DWORD pid, const std::string& caption)
{
    for (HWND window : driver::topWindows(pid)) {
        if (driver::className(window) == "#32770" && driver::windowText(window) == caption)
            return window;
    }
    return nullptr;
}

// The text of the program's message box, once one is up, or "" after the timeout.
std::string messageBoxText(DWORD pid, HWND besides, DWORD timeoutMs, HWND& box)
{
    std::string text;
    driver::waitFor(
        [&] {
            for (HWND window : driver::topWindows(pid)) {
                if (window == besides || driver::className(window) != "#32770" ||
                    driver::windowText(window) == kProgressCaption)
                    continue;
                for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                    const std::string childText = driver::windowText(child);
                    if (driver::className(child) == "Static" && !childText.empty()) {
                        box = window;
                        text = childText;
                        return true;
                    }
                }
            }
            return false;
        },
        timeoutMs);
    return text;
}

class E2eSettingsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver::deleteTree("Software\\Quarnel");
        driver::deleteTree("Software\\ZandorTests");
        driver::atomDeleteAll(kAtom);
        updatetest::removeTree(area());
        CreateDirectoryA(area().substr(0, area().size() - 1).c_str(), nullptr);
        CreateDirectoryA((area() + "install").c_str(), nullptr);
        ASSERT_TRUE(driver::setString(kProduct, "InstallPath", area() + "install\\"));
    }
    void TearDown() override
    {
        if (process.handle)
            driver::terminate(process);
        driver::deleteTree("Software\\Quarnel");
        driver::deleteTree("Software\\ZandorTests");
        driver::atomDeleteAll(kAtom);
    }

    void openDialog()
    {
        ASSERT_TRUE(driver::start(screensaver(), "/c", process));
        dialog = driver::waitForWindowWithClass(process.pid, "#32770", 15000);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(driver::windowText(dialog), "Orbicade collection:  Zandor 3D screensaver");
        list = GetDlgItem(dialog, IDC_PRODUCT_LIST);
        ASSERT_GE(driver::listCount(list), 1);
        EXPECT_EQ(driver::listItemText(list, 0), "Zandor 3D screensaver");
    }
    // Ends the dialog with the button and waits for the program's end.
    void endDialog(int button)
    {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        DWORD code = 1;
        ASSERT_TRUE(driver::waitExit(process, 15000, code)) << "the program did not end";
        EXPECT_EQ(code, 0u);
    }
    // Starts Web Update and waits for the list to hold count entries and the progress window to go.
    bool webUpdate(int count)
    {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WEB_UPDATE, BN_CLICKED), 0);
        return driver::waitFor(
            [&] {
                return driver::listCount(list) == count && !topWindowTitled(process.pid, kProgressCaption) &&
                       IsWindowEnabled(dialog);
            },
            30000);
    }
    // Answers the message box the program shows next; its text.
    std::string answerMessageBox()
    {
        HWND box = nullptr;
        const std::string text = messageBoxText(process.pid, dialog, 15000, box);
        if (box)
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        driver::waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
        return text;
    }
    // A fresh server with the pictures every served product shares.
    void servePictures()
    {
        ASSERT_TRUE(dialog_test::writeJpeg(shot, 90, 60, grey));
        ASSERT_TRUE(dialog_test::writeBmp(icon, 32, 32, grey));
        updatetest::server::clear();
        updatetest::server::put("/img/NEWONE.jpg", updatetest::readFile(shot));
        updatetest::server::put("/img/NEWONE.bmp", updatetest::readFile(icon));
    }
    static std::string servedDocument()
    {
        return updatetest::readFile(driver::windowsPath(UPDATE_SERVER_DIR) + "\\root\\update\\orbicade.xml");
    }
    HWND waitForPage(int control)
    {
        HWND page = nullptr;
        driver::waitFor([&] { return (page = pageOf(dialog)) && GetDlgItem(page, control); }, 15000);
        return page;
    }

    driver::Process process;
    HWND dialog = nullptr;
    HWND list = nullptr;
    const std::string shot = area() + "shot.jpg";
    const std::string icon = area() + "icon.bmp";
};
}

TEST_F(E2eSettingsDialog, OpensOnOurOwnPageWhosePreviewStartsAFullScreenRunAndOkStoresStartRandom)
{
    openDialog();
    EXPECT_EQ(driver::listCount(list), 1);
    HWND page = waitForPage(IDC_DEMO_MODE);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(processOf(page), process.pid);
    click(dialog, IDC_PREVIEW);
    expectFullScreenRunOf("Zandor3D.scr", process.pid);
    endDialog(IDOK);
    DWORD startRandom = 9;
    EXPECT_TRUE(driver::getDword(kFamily, "StartRandom", startRandom));
    EXPECT_EQ(startRandom, 0u);
}

TEST_F(E2eSettingsDialog, AnotherMembersOwnPageRunsAsAGuestGetsTheCommandsAndEndsWhenLeft)
{
    const std::string other = area() + "Other3D.scr";
    ASSERT_TRUE(CopyFileA(screensaver().c_str(), other.c_str(), FALSE));
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "OTHER3D", "Other 3D"));
    ASSERT_TRUE(driver::setString(kFamily + "\\OTHER3D", "ExecutablePath", other));
    openDialog();
    ASSERT_EQ(driver::listCount(list), 2);
    EXPECT_EQ(driver::listItemText(list, 1), "Other 3D");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_START_RANDOM)));

    ASSERT_TRUE(driver::selectListItem(list, 1));
    HWND host = nullptr;
    HWND guest = nullptr;
    ASSERT_TRUE(driver::waitFor(
        [&] {
            host = pageOf(dialog);
            guest = host ? GetWindow(host, GW_CHILD) : nullptr;
            return guest && GetDlgItem(guest, IDC_DEMO_MODE);
        },
        20000))
        << "the member's page did not come up inside the dialog";
    const DWORD guestProcess = processOf(guest);
    EXPECT_NE(guestProcess, process.pid);
    EXPECT_EQ(processOf(host), process.pid);

    send(GetDlgItem(guest, IDC_SPEED_SLIDER), TBM_SETPOS, TRUE, 9);
    click(dialog, IDC_RESTORE_DEFAULTS);
    EXPECT_EQ(send(GetDlgItem(guest, IDC_SPEED_SLIDER), TBM_GETPOS), 50);
    click(dialog, IDC_PREVIEW);
    expectFullScreenRunOf("Other3D.scr", guestProcess);

    ASSERT_TRUE(driver::selectListItem(list, 0));
    EXPECT_TRUE(waitForProcessEnd(guestProcess, 15000)) << "leaving the page did not end the guest";
    EXPECT_NE(waitForPage(IDC_DEMO_MODE), nullptr);
    endDialog(IDCANCEL);
    EXPECT_FALSE(driver::valueExists(kFamily, "StartRandom"));
}

TEST_F(E2eSettingsDialog, WebUpdateFillsTheListAndTheNewProductsPageOffersItsDownload)
{
    servePictures();
    serveProducts({"NEWONE"});
    updatetest::ProxyOverride proxy(updatetest::server::port());
    driver::WebLinkHandler links("\"" + driver::windowsPath(FAMILY_STANDIN) + "\" %1");

    openDialog();
    EXPECT_EQ(driver::listCount(list), 1);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WEB_UPDATE, BN_CLICKED), 0);
    ASSERT_TRUE(driver::waitFor([&] { return driver::listCount(list) == 2; }, 30000)) << "the list was not updated";
    EXPECT_EQ(driver::listItemText(list, 1), "NEWONE 3D");

    ASSERT_TRUE(driver::selectListItem(list, 1));
    HWND page = waitForPage(IDC_DOWNLOAD);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(driver::windowText(GetDlgItem(page, IDC_PRODUCT_TITLE)), "NEWONE 3D");
    EXPECT_EQ(driver::windowText(GetDlgItem(page, IDC_DESCRIPTION_1)), "Brand new");
    EXPECT_NE(send(GetDlgItem(page, IDC_SCREENSHOT), STM_GETIMAGE, IMAGE_BITMAP), 0);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_PREVIEW)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_RESTORE_DEFAULTS)));

    click(page, IDC_DOWNLOAD);
    std::string opened;
    EXPECT_TRUE(driver::waitFor([&] { return driver::getString(kGuestKey, "Opened", opened); }, 15000));
    EXPECT_EQ(opened, "http://www.orbicade.com/get/NEWONE.exe");

    // A second update puts another product where this one was: choosing that entry shows it.
    serveProducts({"OTHERONE", "NEWONE"});
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WEB_UPDATE, BN_CLICKED), 0);
    ASSERT_TRUE(driver::waitFor([&] { return driver::listCount(list) == 3; }, 30000)) << "the list was not updated";
    ASSERT_TRUE(driver::selectListItem(list, 1));
    EXPECT_TRUE(driver::waitFor(
        [&] { return driver::windowText(GetDlgItem(pageOf(dialog), IDC_PRODUCT_TITLE)) == "OTHERONE 3D"; }, 10000));
    endDialog(IDOK);
}

TEST_F(E2eSettingsDialog, AFailedUpdateSaysSoAndKeepsTheProductsOfTheLastGoodOne)
{
    servePictures();
    serveProducts({"NEWONE", "SECOND"});
    updatetest::ProxyOverride proxy(updatetest::server::port());
    openDialog();
    ASSERT_TRUE(webUpdate(3));
    const std::string good = updatetest::readFile(area() + "install\\web\\update.xml");

    // An error page where the document was, then a document cut short.
    const std::string document = servedDocument();
    for (const std::string& page : {std::string("<html><body>404 Not Found</body></html>"), document.substr(0, 300)}) {
        updatetest::server::put("/update/orbicade.xml", page);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WEB_UPDATE, BN_CLICKED), 0);
        EXPECT_EQ(answerMessageBox(), "Failed to update products list Online!");
        ASSERT_TRUE(driver::waitFor([&] { return IsWindowEnabled(dialog) != FALSE; }, 10000));
        EXPECT_EQ(driver::listCount(list), 3);
        EXPECT_EQ(driver::listItemText(list, 2), "SECOND 3D");
        EXPECT_EQ(updatetest::readFile(area() + "install\\web\\update.xml"), good);
    }
    endDialog(IDOK);
}

TEST_F(E2eSettingsDialog, CancelInTheProgressWindowEndsAStalledUpdateWithinASecondAndTheDialogAnswersMeanwhile)
{
    servePictures();
    serveProducts({"NEWONE"});
    updatetest::ProxyOverride proxy(updatetest::server::port());
    openDialog();
    ASSERT_TRUE(webUpdate(2));

    // The next document names a screenshot on a server that accepts and never answers.
    std::string stalled = servedDocument();
    stalled.replace(stalled.find("<ID>NEWONE</ID>"), 15, "<ID>STALLED</ID>");
    stalled.replace(stalled.find("/img/NEWONE.jpg"), 15, "/stall/shot.jpg");
    updatetest::server::put("/update/orbicade.xml", stalled);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WEB_UPDATE, BN_CLICKED), 0);
    HWND progress = nullptr;
    ASSERT_TRUE(
        driver::waitFor([&] { return (progress = topWindowTitled(process.pid, kProgressCaption)) != nullptr; }, 15000));
    Sleep(1500);
    DWORD_PTR answer = 0;
    const DWORD asked = GetTickCount();
    EXPECT_TRUE(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer));
    EXPECT_TRUE(SendMessageTimeoutA(progress, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer));
    std::printf("[ figures ] the dialog answered during the stalled transfer in %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - asked));

    const DWORD pressed = GetTickCount();
    PostMessageA(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(driver::waitFor([&] { return !IsWindow(progress); }, 5000)) << "Cancel did not end the update";
    const DWORD took = GetTickCount() - pressed;
    std::printf("[ figures ] Cancel ended the update after %lu ms\n", static_cast<unsigned long>(took));
    EXPECT_LT(took, 1000u);
    EXPECT_TRUE(driver::waitFor([&] { return IsWindowEnabled(dialog) != FALSE; }, 2000));
    EXPECT_EQ(driver::listCount(list), 2);
    EXPECT_EQ(driver::listItemText(list, 1), "NEWONE 3D");

    // Closing the dialog during a stalled update ends the program.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WEB_UPDATE, BN_CLICKED), 0);
    ASSERT_TRUE(driver::waitFor([&] { return topWindowTitled(process.pid, kProgressCaption) != nullptr; }, 15000));
    Sleep(500);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(driver::waitExit(process, 10000, code)) << "closing the dialog did not end the program";
}

TEST_F(E2eSettingsDialog, ADownloadLinkWithAnEscapedAmpersandOpensTheDecodedAddress)
{
    servePictures();
    serveProducts({"NEWONE"});
    std::string xml = servedDocument();
    const std::string link = "http://www.orbicade.com/get/NEWONE.exe";
    xml.replace(xml.find(link), link.size(), "http://www.orbicade.com/get?id=7&amp;lang=en");
    updatetest::server::put("/update/orbicade.xml", xml);
    updatetest::ProxyOverride proxy(updatetest::server::port());
    driver::WebLinkHandler links("\"" + driver::windowsPath(FAMILY_STANDIN) + "\" %1");
    openDialog();
    ASSERT_TRUE(webUpdate(2));
    ASSERT_TRUE(driver::selectListItem(list, 1));
    HWND page = waitForPage(IDC_DOWNLOAD);
    ASSERT_NE(page, nullptr);
    click(page, IDC_DOWNLOAD);
    std::string opened;
    EXPECT_TRUE(driver::waitFor([&] { return driver::getString(kGuestKey, "Opened", opened); }, 15000));
    EXPECT_EQ(opened, "http://www.orbicade.com/get?id=7&lang=en");
    endDialog(IDOK);
}

// However an update is cut off, the cache holds one whole document with whole
// pictures, and the dialog reopened offline lists the products of a good update.
TEST_F(E2eSettingsDialog, KilledDuringAnUpdateTheDialogReopensWithTheLastGoodList)
{
    servePictures();
    serveProducts({"FIRST", "SECOND"});
    std::string many = servedDocument();
    // Each product of the long list has pictures of its own.
    std::string xml = "<?xml version=\"1.0\"?>\r\n<English><ProductsList><Count>60</Count>\r\n";
    for (int i = 1; i <= 60; ++i) {
        const std::string id = "P" + std::to_string(i);
        updatetest::server::put("/img/" + id + ".jpg", updatetest::readFile(shot));
        updatetest::server::put("/img/" + id + ".bmp", updatetest::readFile(icon));
        xml += "<Product" + std::to_string(i) + "><ID>" + id + "</ID><Title>" + id +
               "</Title><Version>1</Version><Description><Text>t</Text><ScreenshotURL>http://www.orbicade.com/img/" +
               id + ".jpg</ScreenshotURL><IconURL>http://www.orbicade.com/img/" + id +
               ".bmp</IconURL></Description><DownloadURL>http://www.orbicade.com/get</DownloadURL></Product" +
               std::to_string(i) + ">\r\n";
    }
    xml += "</ProductsList></English>\r\n";
    updatetest::ProxyOverride proxy(updatetest::server::port());
    openDialog();
    ASSERT_TRUE(webUpdate(3));
    endDialog(IDOK);
    updatetest::server::put("/update/orbicade.xml", xml);
    const std::string cache = area() + "install\\web\\";
    for (DWORD moment : {0u, 30u, 100u, 250u, 500u, 900u, 1500u}) {
        openDialog();
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WEB_UPDATE, BN_CLICKED), 0);
        Sleep(moment);
        driver::terminate(process);
        driver::atomDeleteAll(kAtom);
        openDialog();
        const int count = driver::listCount(list);
        std::printf("[ figures ] killed %lu ms into the update: %d entries after\n", static_cast<unsigned long>(moment),
                    count);
        EXPECT_TRUE(count == 3 || count == 61) << "after " << moment << " ms: " << count << " entries";
        const std::string document = updatetest::readFile(cache + "update.xml");
        EXPECT_TRUE(document == many || document == xml) << "after " << moment << " ms";
        for (const std::string& file : updatetest::filesBelow(cache)) {
            if (file.find(".partial") != std::string::npos || file == "update.xml")
                continue;
            const std::string bytes = updatetest::readFile(cache + file);
            const std::string whole = updatetest::readFile(file.find(".jpg") != std::string::npos ? shot : icon);
            EXPECT_EQ(bytes, whole) << file << " after " << moment << " ms";
        }
        endDialog(IDOK);
    }
}
