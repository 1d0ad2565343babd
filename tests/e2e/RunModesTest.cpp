// The screensaver's run modes and single-instance marker, seen from outside.
#include <windows.h>

#include <cstdio>
#include <gtest/gtest.h>

#include "resources/DialogIds.h"
#include "tests/driver/Driver.h"

namespace {
const char kAtom[] = "ZANDOR 3D ScreenSaver";

std::string screensaver()
{
    return driver::windowsPath(ZANDOR3D_BIN_DIR "/Zandor3D.scr");
}

std::string hex(HWND window, const char* format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

// A window of the test's own that stands for the control panel's preview area or a host page.
struct HostWindow {
    HWND hwnd = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 320, 240, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ~HostWindow()
    {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
};

class RunModes : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver::atomDeleteAll(kAtom);
        driver::deleteTree("Software\\Quarnel");
    }
    void TearDown() override { driver::atomDeleteAll(kAtom); }
};

// Starts a full-screen run and waits for its window.
HWND startFullScreen(const std::string& arguments, driver::Process& process)
{
    if (!driver::start(screensaver(), arguments, process))
        return nullptr;
    return driver::waitForScreenWindow(process.pid, 15000);
}

void expectEndsWithZero(driver::Process& process)
{
    DWORD code = 1;
    ASSERT_TRUE(driver::waitExit(process, 15000, code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
}

DWORD foregroundProcess()
{
    DWORD pid = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &pid);
    return pid;
}

// Moments after the loading box shows: the first ones fall while the context is made
// and the pictures load, the last ones near the end of loading or just after it.
const DWORD kLoadingMomentsMs[] = {0, 100, 300, 600};

// Starts a full-screen run, waits for its window to exist (still hidden) and for the
// loading box to show, lets the moment pass, then does what ends the run.
template <class Ending> void expectEndingWhileLoadingEndsTheRun(Ending ending)
{
    for (DWORD moment : kLoadingMomentsMs) {
        SCOPED_TRACE(moment);
        driver::Process process;
        ASSERT_TRUE(driver::start(screensaver(), "/s", process));
        HWND window = driver::waitForLoadingScreenWindow(process.pid);
        ASSERT_NE(window, nullptr) << "the program: " << driver::describe(process);
        ASSERT_NE(driver::waitForTopWindow(process.pid, 20000), nullptr);
        // Keys and buttons reach the foreground program: the run takes the foreground just
        // after its loading box shows, and input that comes before that goes elsewhere.
        driver::waitFor([&] { return foregroundProcess() == process.pid; }, 2000);
        Sleep(moment);
        ending(window);
        expectEndsWithZero(process);
        if (::testing::Test::HasFatalFailure()) {
            driver::terminate(process);
            return;
        }
        EXPECT_FALSE(driver::atomExists(kAtom));
    }
}
}

TEST_F(RunModes, FullScreenSpellingsAllOpenTheTopMostScreenWindow)
{
    for (const char* arguments : {"/s", "/S", "-s", " /s ", "/sp"}) {
        SCOPED_TRACE(arguments);
        driver::Process process;
        HWND window = startFullScreen(arguments, process);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(driver::atomExists(kAtom));
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
        EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
        expectEndsWithZero(process);
        EXPECT_FALSE(driver::atomExists(kAtom));
    }
}

TEST_F(RunModes, ASecondFullScreenStartEndsAtOnceAndAThirdRuns)
{
    driver::Process first;
    HWND firstWindow = startFullScreen("/s", first);
    ASSERT_NE(firstWindow, nullptr);
    ASSERT_TRUE(driver::atomExists(kAtom));

    EXPECT_EQ(driver::run(screensaver(), "/s"), 0);
    EXPECT_FALSE(driver::atomExists(kAtom));

    // With the marker gone a further start runs a second full-screen instance. Taking
    // the foreground deactivates the first one, which may then close by itself.
    driver::Process third;
    HWND thirdWindow = startFullScreen("/s", third);
    ASSERT_NE(thirdWindow, nullptr);
    EXPECT_NE(thirdWindow, firstWindow);

    PostMessageA(thirdWindow, WM_KEYDOWN, VK_SPACE, 0);
    if (IsWindow(firstWindow))
        PostMessageA(firstWindow, WM_KEYDOWN, VK_SPACE, 0);
    expectEndsWithZero(third);
    expectEndsWithZero(first);
    EXPECT_FALSE(driver::atomExists(kAtom));
}

TEST_F(RunModes, ModesWithoutAWindowEndAtOnceWithZeroAndRemoveTheAtom)
{
    HostWindow host;
    const std::string glued = "/p:" + std::to_string(reinterpret_cast<UINT_PTR>(host.hwnd));
    const std::string slashOne = hex(host.hwnd, "/1:%lx");
    for (const std::string& arguments : {std::string("/a"), std::string("/q"), std::string("/"), std::string("word"),
                                         std::string("/p"), std::string("/p 0"), std::string("/p 99999999"), glued,
                                         slashOne, std::string("-1:"), std::string("-1:ffffff00")}) {
        SCOPED_TRACE(arguments);
        driver::atomAdd(kAtom);
        EXPECT_EQ(driver::run(screensaver(), arguments, 15000), 0);
        EXPECT_FALSE(driver::atomExists(kAtom));
        EXPECT_EQ(GetWindow(host.hwnd, GW_CHILD), nullptr);
    }
}

TEST_F(RunModes, ConfigureOpensTheDialogAndItsEndRemovesARunningInstancesAtom)
{
    // An installed program: without its path the dialog first says it is not installed.
    ASSERT_TRUE(driver::setString("Software\\Quarnel\\Orbicade\\Zandor3D", "InstallPath", "C:\\Zandor3D\\"));
    for (const char* arguments : {"", "/c", "/c:1234", "-C"}) {
        SCOPED_TRACE(arguments);
        driver::atomAdd(kAtom);
        driver::Process process;
        ASSERT_TRUE(driver::start(screensaver(), arguments, process));
        HWND dialog = driver::waitForWindowWithClass(process.pid, "#32770", 15000);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(driver::windowText(dialog), "Orbicade collection:  Zandor 3D screensaver");
        EXPECT_TRUE(driver::atomExists(kAtom));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        expectEndsWithZero(process);
        EXPECT_FALSE(driver::atomExists(kAtom));
    }
}

TEST_F(RunModes, PreviewFillsTheGivenWindowAndEndsWithIt)
{
    auto* host = new HostWindow;
    driver::atomAdd(kAtom);
    driver::Process process;
    ASSERT_TRUE(driver::start(screensaver(), "/p " + std::to_string(reinterpret_cast<UINT_PTR>(host->hwnd)), process));
    HWND preview = driver::waitForChild(host->hwnd);
    ASSERT_NE(preview, nullptr) << "the preview's program: " << driver::describe(process);
    EXPECT_EQ(driver::windowText(preview), "Preview");
    EXPECT_EQ(driver::className(preview), "ZandorWindow");
    RECT hostClient, previewRect;
    GetClientRect(host->hwnd, &hostClient);
    GetClientRect(preview, &previewRect);
    EXPECT_EQ(previewRect.right, hostClient.right);
    EXPECT_EQ(previewRect.bottom, hostClient.bottom);
    delete host;
    expectEndsWithZero(process);
    EXPECT_FALSE(driver::atomExists(kAtom));
}

TEST_F(RunModes, EmbeddedPageLivesInsideTheHostUntilItIsClosed)
{
    for (const char* format : {"-1:%lx", "-1:%lX"}) {
        SCOPED_TRACE(format);
        HostWindow host;
        driver::Process process;
        ASSERT_TRUE(driver::start(screensaver(), hex(host.hwnd, format), process));
        HWND page = driver::waitForChild(host.hwnd);
        ASSERT_NE(page, nullptr) << "the page's program: " << driver::describe(process);
        EXPECT_TRUE(IsChild(host.hwnd, page));
        // The product's page with its controls, tabs first.
        EXPECT_TRUE(driver::waitFor([&] { return GetDlgItem(page, IDC_DEMO_MODE) != nullptr; }, 10000));
        EXPECT_NE(GetDlgItem(page, IDC_PAGE_TABS), nullptr);
        SendMessageTimeoutA(page, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, nullptr);
        expectEndsWithZero(process);
    }
}

TEST_F(RunModes, ACloseRequestWhileLoadingEndsTheRun)
{
    expectEndingWhileLoadingEndsTheRun([](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); });
}

TEST_F(RunModes, AKeyPostedWhileLoadingEndsTheRun)
{
    expectEndingWhileLoadingEndsTheRun([](HWND window) { PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0); });
}

// A user's key and button while only the loading box shows, which takes no input.
TEST_F(RunModes, AKeyPressedWhileLoadingEndsTheRun)
{
    expectEndingWhileLoadingEndsTheRun([](HWND) { driver::pressKey(VK_SPACE); });
}

TEST_F(RunModes, AMouseButtonPressedWhileLoadingEndsTheRun)
{
    expectEndingWhileLoadingEndsTheRun([](HWND) { driver::clickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); });
}

// The first pointer position only sets the reference, also while loading.
TEST_F(RunModes, APointerMoveWhileLoadingDoesNotEndTheRun)
{
    driver::moveMouseTo(500, 400);
    driver::Process process;
    ASSERT_TRUE(driver::start(screensaver(), "/s", process));
    ASSERT_NE(driver::waitForLoadingScreenWindow(process.pid), nullptr);
    driver::moveMouseTo(505, 405);
    HWND window = driver::waitForScreenWindow(process.pid);
    ASSERT_NE(window, nullptr);
    Sleep(1000);
    DWORD code = 0;
    EXPECT_FALSE(driver::waitExit(process, 0, code)) << "a small move ended the run";
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    expectEndsWithZero(process);
}
