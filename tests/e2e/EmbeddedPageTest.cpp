// The settings page inside another process's window, as a family host shows it:
// driven from the host's side through window messages only (what a guest draws
// across processes does not reach the screen under Wine).
#include <windows.h>

#include <commctrl.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <string>

#include "family/PageCommands.h"
#include "resources/DialogIds.h"
#include "tests/driver/Driver.h"
#include "tests/e2e/PageProbeResults.h"

namespace {
const char kAtom[] = "ZANDOR 3D ScreenSaver";
const std::string kProduct = "Software\\Quarnel\\Orbicade\\Zandor3D";

std::string screensaver()
{
    return driver::windowsPath(ZANDOR3D_BIN_DIR "/Zandor3D.scr");
}

DWORD stored(const char* name)
{
    DWORD value = 0xFFFFFFFF;
    driver::getDword(kProduct, name, value);
    return value;
}

LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

// The guest page in a host window of the test, up with all its controls.
class EmbeddedPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver::deleteTree("Software\\Quarnel");
        driver::atomDeleteAll(kAtom);
        host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500, 340, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        if (process.handle)
            driver::terminate(process);
        DestroyWindow(host);
        driver::deleteTree("Software\\Quarnel");
        driver::atomDeleteAll(kAtom);
    }

    void startPage()
    {
        char arguments[64];
        std::snprintf(arguments, sizeof arguments, "-1:%lx",
                      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host)));
        ASSERT_TRUE(driver::start(screensaver(), arguments, process));
        page = driver::waitForChild(host);
        ASSERT_NE(page, nullptr) << "the page's program: " << driver::describe(process);
        ASSERT_TRUE(driver::waitFor([&] { return GetDlgItem(page, IDC_DEMO_MODE) != nullptr; }, 10000));
    }
    void closePage()
    {
        send(page, WM_CLOSE);
        DWORD code = 1;
        ASSERT_TRUE(driver::waitExit(process, 15000, code)) << "the page's program did not end";
        EXPECT_EQ(code, 0u);
        EXPECT_FALSE(IsWindow(page));
    }
    HWND control(int id) const { return GetDlgItem(page, id); }

    HWND host = nullptr;
    HWND page = nullptr;
    driver::Process process;
};

// A running Zandor3D other than the page's own process; 0 while there is none.
DWORD otherScreensaverProcess(DWORD pageProcess)
{
    DWORD found = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID != pageProcess && lstrcmpiA(entry.szExeFile, "Zandor3D.scr") == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

DWORD probeValue(const char* name)
{
    DWORD value = 0xFFFFFFFF;
    driver::getDword(kPageProbeKey, name, value);
    return value;
}

// Runs the page probe, inside a virtual desktop when one is named, and waits for its figures.
bool runPageProbe(const std::string& desktop)
{
    driver::deleteTree("Software\\ZandorTests");
    const std::string probe = driver::windowsPath(ZANDOR3D_PAGE_PROBE);
    driver::Process run;
    const bool started = desktop.empty() ? driver::start(probe, "", run)
                                         : driver::start("C:\\windows\\explorer.exe",
                                                         "/desktop=" + desktop + ",1024x768 \"" + probe + "\"", run);
    if (!started)
        return false;
    const bool done = driver::waitFor([] { return driver::valueExists(kPageProbeKey, kProbeDone); }, 60000);
    DWORD code = 0;
    if (!driver::waitExit(run, 10000, code))
        driver::terminate(run);
    return done;
}
}

TEST_F(EmbeddedPage, IsAChildOfTheHostWithItsTabsAndSavesItsEditsWhenTheHostClosesIt)
{
    startPage();
    EXPECT_TRUE(IsChild(host, page));
    EXPECT_EQ(driver::className(page), "#32770");
    EXPECT_EQ(send(control(IDC_PAGE_TABS), TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(send(control(IDC_VIDEO_MODE), CB_GETCOUNT), 1);
    EXPECT_EQ(send(page, PageCommandIgnored), 0);

    send(control(IDC_SPEED_SLIDER), TBM_SETPOS, TRUE, 77);
    send(control(IDC_DEMO_MODE), BM_CLICK);
    EXPECT_EQ(send(control(IDC_DEMO_MODE), BM_GETCHECK), BST_CHECKED);
    closePage();
    EXPECT_EQ(stored("AnimationSpeed"), 77u);
    EXPECT_EQ(stored("DemoMode"), 1u);
    EXPECT_EQ(stored("CurrentVideomode"), 1u);
    EXPECT_EQ(stored("XResolution"), 1024u);
}

TEST_F(EmbeddedPage, RestoreDefaultsFromTheHostStoresAndShowsTheDefaults)
{
    ASSERT_TRUE(driver::setDword(kProduct, "AnimationSpeed", 9));
    ASSERT_TRUE(driver::setDword(kProduct, "DemoMode", 1));
    ASSERT_TRUE(driver::setDword(kProduct, "RandomCameraStart", 0));
    startPage();
    EXPECT_EQ(send(control(IDC_SPEED_SLIDER), TBM_GETPOS), 9);
    EXPECT_EQ(send(page, PageCommandRestoreDefaults), 0);
    EXPECT_EQ(stored("AnimationSpeed"), 50u);
    EXPECT_EQ(stored("DemoMode"), 0u);
    EXPECT_EQ(stored("RandomCameraStart"), 0u);
    EXPECT_EQ(send(control(IDC_SPEED_SLIDER), TBM_GETPOS), 50);
    EXPECT_EQ(send(control(IDC_DEMO_MODE), BM_GETCHECK), BST_UNCHECKED);
    closePage();
    EXPECT_EQ(stored("AnimationSpeed"), 50u);
}

TEST_F(EmbeddedPage, TheAboutTabHidesTheSettingsControlsAndTheFirstTabShowsThemAgain)
{
    startPage();
    send(control(IDC_PAGE_TABS), TCM_SETCURFOCUS, 1);
    EXPECT_FALSE(IsWindowVisible(control(IDC_VIDEO_MODE)));
    EXPECT_FALSE(IsWindowVisible(control(IDC_SPEED_SLIDER)));
    EXPECT_FALSE(IsWindowVisible(control(IDC_DEMO_MODE)));
    send(control(IDC_PAGE_TABS), TCM_SETCURFOCUS, 0);
    EXPECT_TRUE(IsWindowVisible(control(IDC_VIDEO_MODE)));
    EXPECT_TRUE(IsWindowVisible(control(IDC_SPEED_SLIDER)));
    EXPECT_TRUE(IsWindowVisible(control(IDC_DEMO_MODE)));
    closePage();
}

TEST_F(EmbeddedPage, PreviewSavesFirstAndStartsAFullScreenRunCoveringTheScreen)
{
    startPage();
    send(control(IDC_SPEED_SLIDER), TBM_SETPOS, TRUE, 63);
    EXPECT_EQ(send(page, PageCommandPreview), 0);
    EXPECT_EQ(stored("AnimationSpeed"), 63u);

    DWORD runId = 0;
    ASSERT_TRUE(driver::waitFor([&] { return (runId = otherScreensaverProcess(process.pid)) != 0; }, 20000))
        << "no second program came up";
    HANDLE run = OpenProcess(SYNCHRONIZE, FALSE, runId);
    HWND screen = driver::waitForScreenWindow(runId);
    ASSERT_NE(screen, nullptr) << "the second program shows no full-screen window";
    RECT rect;
    GetWindowRect(screen, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(driver::atomExists(kAtom));
    PostMessageA(screen, WM_KEYDOWN, VK_SPACE, 0);
    // Pumping while waiting: the run's end activates the test's host window, which
    // the run must be answered about.
    EXPECT_TRUE(driver::waitFor([&] { return WaitForSingleObject(run, 0) == WAIT_OBJECT_0; }, 30000));
    CloseHandle(run);
    EXPECT_TRUE(IsWindow(page));
    closePage();
}

namespace {
// The probe's figures, checked for what every mode list must hold: the modes offered
// once each and nothing of 8 bits. Returns the number of entries.
DWORD probedEntries(const std::string& desktop)
{
    const bool done = runPageProbe(desktop);
    EXPECT_TRUE(done) << "the page probe did not finish";
    EXPECT_EQ(probeValue(kEightBitEntries), 0u);
    EXPECT_EQ(probeValue(kRepeatedEntries), 0u);
    const DWORD entries = probeValue(kEntryCount);
    driver::deleteTree("Software\\Quarnel");
    return done ? entries : 0;
}
}

// Plain Xvfb offers only its start-up size, at 32, 16 and 8 bits; but Wine keeps the
// mode list of the last virtual desktop for the whole server's life, so after one
// (an earlier test) the list is that desktop's.
TEST(PageDisplayModes, PlainXvfbOffersItsScreenSizeAndNothingOfEightBits)
{
    EXPECT_GE(probedEntries(""), 2u);
    EXPECT_EQ(probeValue(kHasScreenSizeAt32), 1u);
    driver::deleteTree("Software\\ZandorTests");
}

TEST(PageDisplayModes, AVirtualDesktopOffersSeveralModesOnceEachAndNoneOfEightBits)
{
    EXPECT_GT(probedEntries("zandorpage"), 2u);
    EXPECT_EQ(probeValue(kHas800x600x32), 1u);
    driver::deleteTree("Software\\ZandorTests");
}
