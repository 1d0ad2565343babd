// Destroying a visible window with and without the hide that destruction starts with.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Window.h"

namespace {

// A visible pop-up that notes whether it was hidden before it was destroyed.
class RecordingWindow : public Window {
public:
    bool hiddenBeforeDestroy = false;
    bool destroyed = false;
    bool gone = false;

    bool create()
    {
        const RECT rect = {0, 0, 200, 100};
        return createEx(0, defaultClassName(), "", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    }

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WINDOWPOSCHANGING && !destroyed &&
            (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW))
            hiddenBeforeDestroy = true;
        if (message == WM_DESTROY)
            destroyed = true;
        return Window::windowProc(message, wParam, lParam);
    }
    void postNcDestroy() override { gone = true; }
};

TEST(WindowDestroy, UnhiddenDestructionSkipsTheHideAndStillRunsEveryNotification)
{
    RecordingWindow window;
    ASSERT_TRUE(window.create());
    HWND handle = window.hwnd();
    EXPECT_TRUE(window.destroyUnhidden());
    EXPECT_FALSE(window.hiddenBeforeDestroy);
    EXPECT_TRUE(window.destroyed);
    EXPECT_TRUE(window.gone);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_FALSE(window.destroyUnhidden());  // nothing left to destroy
}

TEST(WindowDestroy, PlainDestructionOfAVisibleWindowHidesItFirst)
{
    RecordingWindow window;
    ASSERT_TRUE(window.create());
    EXPECT_TRUE(window.destroy());
    EXPECT_TRUE(window.hiddenBeforeDestroy);
    EXPECT_TRUE(window.gone);
}

}  // namespace
