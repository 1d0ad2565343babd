// The full-screen run seen from outside: its window, the input that ends it,
// the display mode and the registry it leaves behind.
#include "tests/windows/fullscreen/FullScreenRun.h"

namespace {

class FullScreen : public FullScreenRun {
protected:
    FullScreen() : FullScreenRun({500, 400}) {}

    void postMove(int x, int y)
    {
        PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Sleep(100);
    }

    bool cursorHidden() { return cursorHiddenAt(500, 400); }
};

TEST_F(FullScreen, ATopMostBorderlessWindowCoversTheScreenWithTheCursorHidden)
{
    start();
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 1024);
    EXPECT_EQ(rect.bottom, 768);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_EQ(driver::className(window), "#32770");
    EXPECT_EQ(driver::windowText(window), "");
    EXPECT_TRUE(driver::atomExists(FullScreenRun::kAtom));
    EXPECT_TRUE(cursorHidden());
    driver::pressKey(VK_SPACE);
    expectClosed();
}

TEST_F(FullScreen, KeysReleasedAloneAndAltCombinationsDoNotCloseAnOrdinaryKeyDoes)
{
    start();
    driver::pressAltKey('X');
    EXPECT_TRUE(stillRunning());
    driver::pressAltKey(VK_F4);
    EXPECT_TRUE(stillRunning());
    driver::pressKey('A');
    expectClosed();
}

TEST_F(FullScreen, EachMouseButtonCloses)
{
    for (const auto& button : kMouseButtons) {
        SCOPED_TRACE(button[0]);
        start();
        driver::clickMouse(button[0], button[1]);
        expectClosed();
    }
}

TEST_F(FullScreen, TenPixelsFromTheFirstPositionDoNotCloseElevenDo)
{
    start();
    moveWithinTenPixelsOfRest();
    EXPECT_TRUE(stillRunning());
    moveElevenPixelsFromRest();
    expectClosed();
}

// Positions as the window receives them, with the pointer itself resting at the first.
TEST_F(FullScreen, ElevenPixelsOnTheOtherAxisCloseToo)
{
    start();
    postMove(500, 400);
    postMove(490, 410);
    postMove(510, 390);
    EXPECT_TRUE(stillRunning());
    postMove(500, 389);
    expectClosed();
}

TEST_F(FullScreen, DemoModeKeepsTheCursorAndIgnoresMovesButAKeyCloses)
{
    setDemoMode();
    start();
    EXPECT_FALSE(cursorHidden());
    moveAndSettle(100, 100);
    moveAndSettle(900, 700);
    EXPECT_TRUE(stillRunning());
    driver::pressKey(VK_RETURN);
    expectClosed();
}

TEST_F(FullScreen, DemoModeStillClosesOnAMouseButton)
{
    setDemoMode();
    start();
    driver::clickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    expectClosed();
}

TEST_F(FullScreen, ASuspendQueryIsRefusedWhileTheWindowExists)
{
    start();
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(BROADCAST_QUERY_DENY));
    EXPECT_TRUE(stillRunning());
    driver::pressKey(VK_SPACE);
    expectClosed();
}

TEST_F(FullScreen, DefaultSettingsNeitherSwitchTheModeNorWriteTheRegistry)
{
    start();
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmPelsWidth, 1024u);
    EXPECT_EQ(mode.dmPelsHeight, 768u);
    driver::pressKey(VK_SPACE);
    expectClosed();
    EXPECT_FALSE(driver::valueExists(kProductKey, "CurrentVideomode"));
}

TEST_F(FullScreen, ARefusedModeSavesTheDesktopModeForLaterRuns)
{
    // Plain Xvfb offers no mode but its own.
    ASSERT_TRUE(driver::setDword(kProductKey, "XResolution", 800));
    ASSERT_TRUE(driver::setDword(kProductKey, "YResolution", 600));
    ASSERT_TRUE(driver::setDword(kProductKey, "ColorDepth", 16));
    ASSERT_TRUE(driver::setDword(kProductKey, "CurrentVideomode", 0));
    start();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    driver::pressKey(VK_SPACE);
    expectClosed();
    DWORD value = 0;
    ASSERT_TRUE(driver::getDword(kProductKey, "CurrentVideomode", value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(driver::getDword(kProductKey, "XResolution", value));
    EXPECT_EQ(value, static_cast<DWORD>(GetSystemMetrics(SM_CXFULLSCREEN)));
    ASSERT_TRUE(driver::getDword(kProductKey, "YResolution", value));
    EXPECT_EQ(value, static_cast<DWORD>(GetSystemMetrics(SM_CYFULLSCREEN)));
}

TEST_F(FullScreen, LosingTheForegroundOrACancelModeCloses)
{
    start();
    OtherProgramWindow other;
    other.activate();
    expectClosed();

    start();
    PostMessageA(window, WM_CANCELMODE, 0, 0);
    expectClosed();
}

TEST_F(FullScreen, DemoModeSurvivesLosingTheForegroundAndACancelMode)
{
    setDemoMode();
    start();
    OtherProgramWindow other;
    other.activate();
    EXPECT_TRUE(stillRunning());
    PostMessageA(window, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(stillRunning());
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    expectClosed();
}

}  // namespace
