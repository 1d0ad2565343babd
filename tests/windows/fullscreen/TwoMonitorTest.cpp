// The full-screen run on a display of two monitors: the primary, 0,0 to 1024,768,
// and a second one right of it, 1024,0 to 1824,600. The scene stays on the
// primary; the second is covered black, and input there ends the run as on the
// primary.
#include "tests/windows/fullscreen/FullScreenRun.h"

#include <string>
#include <vector>

namespace {
const RECT kPrimary = {0, 0, 1024, 768};
const RECT kSecond = {1024, 0, 1824, 600};
const POINT kOnSecond = {1400, 300};

std::vector<RECT> monitors()
{
    std::vector<RECT> found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT rect, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string text(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

std::string windowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return text(rect);
}

DWORD processOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// A window of another program standing for what the second monitor shows
// before the run: an open document.
struct Document {
    Document()
        : hwnd(CreateWindowExA(0, "STATIC", "document", WS_POPUP | WS_VISIBLE | SS_NOTIFY, kSecond.left, kSecond.top,
                               kSecond.right - kSecond.left, kSecond.bottom - kSecond.top, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr))
    {
        driver::pumpMessages();
    }
    ~Document() { DestroyWindow(hwnd); }

    HWND hwnd;
};

const char kSecondDevice[] = "\\\\.\\DISPLAY2";

bool placeSecondMonitor(DWORD width, DWORD height)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPosition.x = kSecond.left;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return ChangeDisplaySettingsExA(kSecondDevice, &mode, nullptr, CDS_UPDATEREGISTRY | CDS_NORESET, nullptr) ==
               DISP_CHANGE_SUCCESSFUL &&
           ChangeDisplaySettingsExA(nullptr, nullptr, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

// The second monitor detached (a size of 0 detaches it) until restore or the end of the scope.
struct SecondMonitorRemoved {
    bool ok = placeSecondMonitor(0, 0);
    bool restored = false;

    ~SecondMonitorRemoved() { restore(); }
    bool restore()
    {
        if (!restored)
            restored = placeSecondMonitor(kSecond.right - kSecond.left, kSecond.bottom - kSecond.top);
        return restored;
    }
};

class TwoMonitors : public FullScreenRun {
protected:
    // The pointer rests on the second monitor, where the input of most cases happens.
    TwoMonitors() : FullScreenRun(kOnSecond) {}

    void SetUp() override
    {
        ASSERT_EQ(monitors().size(), 2u) << "the test display has not got two monitors";
        FullScreenRun::SetUp();
    }

    // Starts the run and notes its black window over the second monitor.
    void startCovered()
    {
        ASSERT_NO_FATAL_FAILURE(start());
        blank = WindowFromPoint(kOnSecond);
        ASSERT_NE(blank, nullptr);
        ASSERT_EQ(processOf(blank), process.pid);
        ASSERT_NE(blank, window);
    }

    // The black window goes with the scene window, before the process ends. Watched
    // without a pause (a process that ends takes its windows along a moment later),
    // answering the repaint requests the end of the run sends our windows.
    void expectEverythingGone()
    {
        const DWORD pid = process.pid;
        const DWORD started = GetTickCount();
        while (IsWindow(window) && GetTickCount() - started < 15000)
            driver::pumpMessages();
        EXPECT_FALSE(IsWindow(window)) << "the scene window stayed";
        EXPECT_FALSE(IsWindow(blank)) << "the black window outlived the scene window";
        expectClosed();
        EXPECT_TRUE(driver::topWindows(pid).empty());
    }

    HWND blank = nullptr;
};

TEST_F(TwoMonitors, TheSecondMonitorIsCoveredBlackAndTopMostWhileTheSceneStaysOnThePrimary)
{
    Document document;
    ASSERT_EQ(WindowFromPoint(kOnSecond), document.hwnd);
    startCovered();
    EXPECT_EQ(windowRect(window), text(kPrimary));
    EXPECT_EQ(windowRect(blank), text(kSecond));
    EXPECT_TRUE(GetWindowLongA(blank, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const LONG style = GetWindowLongA(blank, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    // One black window, and it is not on the primary.
    std::vector<HWND> windows = driver::topWindows(process.pid);
    EXPECT_EQ(windows.size(), 2u);
    EXPECT_EQ(WindowFromPoint({500, 400}), window);
    // Showing it took nothing from the scene window.
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_TRUE(cursorHiddenAt(kOnSecond.x, kOnSecond.y));
    EXPECT_TRUE(stillRunning());
    driver::pressKey(VK_SPACE);
    expectEverythingGone();
    EXPECT_EQ(WindowFromPoint(kOnSecond), document.hwnd);
}

TEST_F(TwoMonitors, AKeyWithThePointerOnTheSecondMonitorEndsTheRun)
{
    startCovered();
    driver::pressKey('A');
    expectEverythingGone();
}

TEST_F(TwoMonitors, EachMouseButtonOnTheSecondMonitorEndsTheRun)
{
    for (const auto& button : kMouseButtons) {
        SCOPED_TRACE(button[0]);
        startCovered();
        driver::clickMouse(button[0], button[1]);
        expectEverythingGone();
    }
}

TEST_F(TwoMonitors, TenPixelsOnTheSecondMonitorDoNotEndTheRunElevenDo)
{
    startCovered();
    moveWithinTenPixelsOfRest();
    EXPECT_TRUE(stillRunning());
    moveElevenPixelsFromRest();
    expectEverythingGone();
}

// Movement is measured across the monitors' edge in screen pixels, from one reference.
TEST_F(TwoMonitors, TenPixelsAcrossTheMonitorsEdgeDoNotEndTheRunElevenDo)
{
    driver::moveMouseTo(1030, 300);
    startCovered();
    moveAndSettle(1025, 300);
    moveAndSettle(1020, 300);
    moveAndSettle(1030, 290);
    EXPECT_TRUE(stillRunning());
    driver::moveMouseTo(1019, 300);
    expectEverythingGone();
}

TEST_F(TwoMonitors, AnotherProgramTakingTheForegroundEndsTheRun)
{
    startCovered();
    OtherProgramWindow other(1200, 200);
    other.activate();
    expectEverythingGone();
}

TEST_F(TwoMonitors, DemoModeSurvivesMovesOnEitherMonitorButAKeyEndsTheRun)
{
    setDemoMode();
    startCovered();
    EXPECT_FALSE(cursorHiddenAt(kOnSecond.x, kOnSecond.y));
    moveAndSettle(1100, 100);
    moveAndSettle(1800, 580);
    moveAndSettle(900, 700);
    moveAndSettle(100, 100);
    moveAndSettle(1500, 400);
    EXPECT_TRUE(stillRunning());
    driver::pressKey(VK_RETURN);
    expectEverythingGone();
}

TEST_F(TwoMonitors, DemoModeStillEndsTheRunOnAButtonOnTheSecondMonitor)
{
    setDemoMode();
    startCovered();
    driver::clickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    expectEverythingGone();
}

// Detaching the second monitor and attaching it again while the run is on: the
// run goes on, and the monitor is covered again once it is back. The pointer rests
// on the primary: one on the second monitor would jump as it goes, and end the run.
TEST_F(TwoMonitors, AMonitorRemovedAndAddedAgainDuringTheRunIsCoveredAgain)
{
    driver::moveMouseTo(500, 400);
    startCovered();
    SecondMonitorRemoved removed;
    ASSERT_TRUE(removed.ok);
    EXPECT_TRUE(stillRunning());
    EXPECT_TRUE(driver::topWindows(process.pid).size() == 1u) << "a black window over no monitor";
    ASSERT_TRUE(removed.restore());
    EXPECT_TRUE(stillRunning());
    blank = WindowFromPoint(kOnSecond);
    EXPECT_EQ(processOf(blank), process.pid);
    EXPECT_EQ(windowRect(blank), text(kSecond));
    EXPECT_EQ(GetForegroundWindow(), window);
    driver::pressKey(VK_SPACE);
    expectEverythingGone();
}

// The run's display mode is the primary's alone. The switch moves the second
// monitor to the primary's new edge, and it is covered where it then is.
TEST_F(TwoMonitors, AModeSwitchChangesThePrimaryOnlyAndTheSecondMonitorIsCoveredWhereItGoes)
{
    // Should the run not restore the mode, the cases after this one still find it.
    struct RegistryModeAtTheEnd {
        ~RegistryModeAtTheEnd() { ChangeDisplaySettingsA(nullptr, 0); }
    } registryMode;
    driver::moveMouseTo(300, 300);
    ASSERT_TRUE(driver::setDword(kProductKey, "XResolution", 800));
    ASSERT_TRUE(driver::setDword(kProductKey, "YResolution", 600));
    ASSERT_TRUE(driver::setDword(kProductKey, "ColorDepth", 32));
    ASSERT_TRUE(driver::setDword(kProductKey, "CurrentVideomode", 0));
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(windowRect(window), "0,0 800,600");
    const std::vector<RECT> during = monitors();
    ASSERT_EQ(during.size(), 2u);
    const RECT second = during[0].left == 0 ? during[1] : during[0];
    EXPECT_EQ(second.left, 800);
    EXPECT_EQ(second.right - second.left, kSecond.right - kSecond.left);
    EXPECT_EQ(second.bottom - second.top, kSecond.bottom - kSecond.top);
    blank = WindowFromPoint({(second.left + second.right) / 2, (second.top + second.bottom) / 2});
    EXPECT_EQ(processOf(blank), process.pid);
    EXPECT_EQ(windowRect(blank), text(second));
    EXPECT_EQ(driver::topWindows(process.pid).size(), 2u);
    driver::pressKey(VK_SPACE);
    expectEverythingGone();
    // The primary's own mode again, and the second monitor back in its place.
    EXPECT_TRUE(driver::waitFor(
        [] {
            const std::vector<RECT> after = monitors();
            return after.size() == 2u && text(after[0]) == text(kPrimary) && text(after[1]) == text(kSecond);
        },
        5000));
}

}  // namespace
