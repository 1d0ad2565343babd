#include "tests/windows/fullscreen/FullScreenRun.h"

namespace {
const char kFamilyKey[] = "Software\\Quarnel";
const DWORD kStillRunningMs = 1000;

std::string screensaver()
{
    return driver::windowsPath(ZANDOR3D_BIN_DIR "/Zandor3D.scr");
}
}

void FullScreenRun::SetUp()
{
    driver::atomDeleteAll(kAtom);
    driver::deleteTree(kFamilyKey);
    // The pointer rests where the window will report its first position.
    driver::moveMouseTo(rest_.x, rest_.y);
}

void FullScreenRun::TearDown()
{
    if (process.handle)
        driver::terminate(process);
    driver::atomDeleteAll(kAtom);
    driver::deleteTree(kFamilyKey);
}

void FullScreenRun::setDemoMode()
{
    ASSERT_TRUE(driver::setDword(kProductKey, "DemoMode", 1));
}

void FullScreenRun::start()
{
    ASSERT_TRUE(driver::start(screensaver(), "/s", process));
    window = driver::waitForScreenWindow(process.pid);
    ASSERT_NE(window, nullptr);
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored));
    Sleep(300);
}

bool FullScreenRun::stillRunning()
{
    DWORD code = 0;
    return !driver::waitExit(process, kStillRunningMs, code);
}

void FullScreenRun::expectClosed()
{
    DWORD code = 1;
    ASSERT_TRUE(driver::waitExit(process, 15000, code)) << "the window did not close";
    process = driver::Process();
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(driver::atomExists(kAtom));
}

void FullScreenRun::moveAndSettle(int x, int y)
{
    driver::moveMouseTo(x, y);
    Sleep(200);
}

bool FullScreenRun::cursorHiddenAt(int x, int y)
{
    moveAndSettle(x + 2, y + 1);  // asks the window under the pointer for its cursor
    moveAndSettle(x, y);
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) && info.hCursor == nullptr;
}

void FullScreenRun::moveWithinTenPixelsOfRest()
{
    moveAndSettle(rest_.x + 10, rest_.y + 10);
    moveAndSettle(rest_.x, rest_.y);
    moveAndSettle(rest_.x + 10, rest_.y + 10);
    moveAndSettle(rest_.x, rest_.y + 10);
}

void FullScreenRun::moveElevenPixelsFromRest()
{
    driver::moveMouseTo(rest_.x + 21, rest_.y + 10);
}
