#pragma once
// A full-screen run of the screensaver seen from outside: started, watched and
// ended through the test driver, with the pointer resting at a chosen place.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/driver/Driver.h"

class FullScreenRun : public ::testing::Test {
public:
    static constexpr const char* kAtom = "ZANDOR 3D ScreenSaver";
    static constexpr const char* kProductKey = "Software\\Quarnel\\Orbicade\\Zandor3D";

protected:
    explicit FullScreenRun(POINT rest) : rest_(rest) {}

    void SetUp() override;
    void TearDown() override;

    void setDemoMode();
    // Starts "/s" and waits until creation is over: the frame timer runs.
    void start();
    bool stillRunning();
    // The run ends on its own, with exit code 0 and no marker left behind.
    void expectClosed();
    void moveAndSettle(int x, int y);
    // Whether the cursor over (x, y) is hidden, as the window there answers.
    bool cursorHiddenAt(int x, int y);
    // The first reported position is where the pointer rests when the window
    // appears or, when Wine reports none, the first move (rest + 10, 10): these
    // moves stay exactly 10 pixels or less from both; rest + (21, 10) is 11 from both.
    void moveWithinTenPixelsOfRest();
    void moveElevenPixelsFromRest();

    driver::Process process;
    HWND window = nullptr;

private:
    POINT rest_;
};

// Down and up flags of the left, middle and right mouse buttons.
constexpr DWORD kMouseButtons[][2] = {
    {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
    {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
    {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
};

// A window of another program that takes the foreground from the screensaver.
struct OtherProgramWindow {
    explicit OtherProgramWindow(int x = 100, int y = 100)
        : hwnd(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "other", WS_POPUP | WS_VISIBLE, x, y, 200, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~OtherProgramWindow() { DestroyWindow(hwnd); }
    void activate() { SetForegroundWindow(hwnd); }

    HWND hwnd;
};
