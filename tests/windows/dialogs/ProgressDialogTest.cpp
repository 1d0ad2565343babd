#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

#include "DialogTestSupport.h"
#include "config/ProgressDialog.h"
#include "resources/DialogIds.h"

namespace {
std::string text(HWND window)
{
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

LRESULT barPosition(const ProgressDialog& dialog)
{
    return SendMessageA(dialog.item(IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0);
}
}

TEST(ProgressDialog, ComesUpHiddenWithItsTextsAndShowsOnRequest)
{
    ProgressDialog dialog;
    ASSERT_TRUE(dialog.create(nullptr));
    EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
    EXPECT_EQ(text(dialog.hwnd()), "Web Update. Please wait...");
    EXPECT_EQ(text(dialog.item(IDC_PROGRESS_STATUS)), "Downloading new products descriptions...");
    EXPECT_EQ(text(dialog.item(IDCANCEL)), "Cancel");
    EXPECT_FALSE(GetWindowLongA(dialog.item(IDC_TIME_REMAINING), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(text(dialog.item(IDC_TIME_REMAINING)), "45 sec");
    dialog.show();
    EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
    EXPECT_FALSE(IsWindowVisible(dialog.item(IDC_TIME_REMAINING)));

    ProgressSink& sink = dialog.sink();
    sink.setStatus("Downloading screenshots...");
    sink.setLocation("www.orbicade.com/update/shot1.jpg");
    EXPECT_EQ(text(dialog.item(IDC_PROGRESS_STATUS)), "Downloading screenshots...");
    EXPECT_EQ(text(dialog.item(IDC_PROGRESS_LOCATION)), "www.orbicade.com/update/shot1.jpg");
    EXPECT_FALSE(sink.cancelled());
    EXPECT_EQ(dialog.end(), IDOK);
}

TEST(ProgressDialog, PercentIsClampedByTheBar)
{
    ProgressDialog dialog;
    ASSERT_TRUE(dialog.create(nullptr));
    dialog.setPercent(37);
    EXPECT_EQ(barPosition(dialog), 37);
    dialog.setPercent(250);
    EXPECT_EQ(barPosition(dialog), 100);
    dialog.setPercent(-5);
    EXPECT_EQ(barPosition(dialog), 0);
    PBRANGE range = {};
    SendMessageA(dialog.item(IDC_PROGRESS_BAR), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
}

TEST(ProgressDialog, CancelTwiceIsCancelOnceAndTheDialogStays)
{
    ProgressDialog dialog;
    ASSERT_TRUE(dialog.create(nullptr));
    dialog.show();
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.cancelled());
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDCANCEL)));
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.cancelled());
    EXPECT_FALSE(IsWindowEnabled(dialog.item(IDCANCEL)));
    EXPECT_TRUE(IsWindow(dialog.hwnd()));
    EXPECT_EQ(dialog.end(), IDCANCEL);
}

TEST(ProgressDialog, PendingMessagesOfEveryWindowAreHandledAndAQuitRequestCancelsAndStays)
{
    dialog_test::HostWindow other(50, 50);
    dialog_test::settle(50);
    ProgressDialog dialog;
    ASSERT_TRUE(dialog.create(nullptr));
    dialog.show();
    dialog_test::settle(50);
    const UINT kOtherMessage = WM_APP + 7;
    PostMessageA(other.hwnd, kOtherMessage, 0, 0);
    // A click on Cancel arrives as a message for the button, a child of the dialog.
    PostMessageA(dialog.item(IDCANCEL), BM_CLICK, 0, 0);
    dialog.processPendingMessages();
    EXPECT_TRUE(dialog.cancelled());
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, other.hwnd, kOtherMessage, kOtherMessage, PM_REMOVE));

    ProgressDialog second;
    ASSERT_TRUE(second.create(nullptr));
    PostQuitMessage(3);
    second.processPendingMessages();
    EXPECT_TRUE(second.cancelled());
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}
