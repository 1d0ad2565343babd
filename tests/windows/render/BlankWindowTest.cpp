// The black window over another monitor: shown without taking the focus, and
// handing its input to the scene window in the scene window's coordinates.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "render/BlankWindow.h"
#include "render/MonitorBlanker.h"
#include "tests/driver/Driver.h"

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    int x;
    int y;
};

// Stands for the scene window: active, and noting the input it is handed.
class SceneStandIn : public Window {
public:
    std::vector<Received> received;

    bool create(const RECT& rect)
    {
        if (!createEx(WS_EX_TOPMOST, defaultClassName(), "", WS_POPUP | WS_VISIBLE, rect, nullptr, 0))
            return false;
        SetForegroundWindow(hwnd());
        return true;
    }

    bool got(UINT message) const
    {
        for (const Received& r : received) {
            if (r.message == message)
                return true;
        }
        return false;
    }

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_SETCURSOR:
            received.push_back(
                {message, wParam, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return message == WM_SETCURSOR ? 7 : 0;
        }
        return Window::windowProc(message, wParam, lParam);
    }
};

class BlankWindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (blank)
            blank->destroyUnhidden();
        scene.destroyUnhidden();
    }

    // The stand-in first, then the black window that hands its input on to it.
    void createBoth(const RECT& sceneRect, const RECT& blankRect)
    {
        ASSERT_TRUE(scene.create(sceneRect));
        blank = std::make_unique<BlankWindow>(scene.hwnd());
        ASSERT_TRUE(blank->create(blankRect));
        driver::pumpMessages();
        scene.received.clear();
    }

    SceneStandIn scene;
    std::unique_ptr<BlankWindow> blank;
};

TEST_F(BlankWindowTest, ShowsTopMostAndVisibleWithoutTakingTheForeground)
{
    createBoth({0, 0, 300, 300}, {400, 100, 700, 400});
    HWND window = blank->hwnd();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), scene.hwnd());
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 400);
    EXPECT_EQ(rect.bottom, 400);
    EXPECT_EQ(WindowFromPoint({550, 250}), window);
}

TEST_F(BlankWindowTest, PointerPositionsArriveInTheSceneWindowsCoordinatesEvenLeftOfIt)
{
    createBoth({300, 200, 600, 500}, {0, 0, 200, 150});
    HWND window = blank->hwnd();
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 7));
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 100));
    ASSERT_EQ(scene.received.size(), 2u);
    EXPECT_EQ(scene.received[0].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(scene.received[0].x, -295);
    EXPECT_EQ(scene.received[0].y, -193);
    EXPECT_EQ(scene.received[1].message, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(scene.received[1].wParam, static_cast<WPARAM>(MK_RBUTTON));
    EXPECT_EQ(scene.received[1].x, -150);
    EXPECT_EQ(scene.received[1].y, -100);
}

TEST_F(BlankWindowTest, KeysButtonsAndTheCursorQuestionGoToTheSceneWindow)
{
    createBoth({0, 0, 300, 300}, {400, 100, 700, 400});
    HWND window = blank->hwnd();
    const UINT input[] = {WM_KEYDOWN, WM_LBUTTONDOWN, WM_MBUTTONDOWN};
    for (UINT message : input)
        SendMessageA(window, message, 0, 0);
    const LRESULT cursorAnswer =
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ASSERT_EQ(scene.received.size(), 4u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(scene.received[i].message, input[i]);
    EXPECT_EQ(scene.received[3].message, static_cast<UINT>(WM_SETCURSOR));
    // Asked about its own window, whose class cursor it would show.
    EXPECT_EQ(scene.received[3].wParam, reinterpret_cast<WPARAM>(scene.hwnd()));
    EXPECT_EQ(cursorAnswer, 7);
    // Key releases and the like are the black window's own.
    SendMessageA(window, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(scene.received.size(), 4u);
}

TEST_F(BlankWindowTest, AClickIsHandedOnWithoutActivatingTheBlackWindow)
{
    createBoth({0, 0, 300, 300}, {400, 100, 700, 400});
    driver::moveMouseTo(550, 250);
    driver::clickMouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(driver::waitFor([&] { return scene.got(WM_LBUTTONDOWN); }, 5000));
    EXPECT_EQ(GetForegroundWindow(), scene.hwnd());
    EXPECT_NE(GetActiveWindow(), blank->hwnd());
}

TEST_F(BlankWindowTest, OneMonitorGetsNoBlackWindow)
{
    ASSERT_TRUE(scene.create({0, 0, 300, 300}));
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    MonitorBlanker blanker;
    blanker.cover(scene.hwnd());
    EXPECT_EQ(blanker.windowCount(), 0u);
}

}  // namespace
