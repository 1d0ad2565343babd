#include <windows.h>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "resources/DialogIds.h"

namespace {
const RECT kSmall = {0, 0, 40, 30};

HWND plainWindow()
{
    return CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

// A dialog with handlers of its own; OK and Cancel are left to the base.
class ProbeDialog : public Dialog {
public:
    int customClicks = 0;
    LRESULT notifyResult = 0;
    bool initialised = false;

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL onInitDialog() override
    {
        initialised = true;
        PostMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(4321, BN_CLICKED), 0);
        NMHDR header = {hwnd(), 77, 5};
        notifyResult = SendMessageA(hwnd(), WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header));
        PostMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }

private:
    void onCustom() { ++customClicks; }
    LRESULT onNote(const NMHDR&) { return 42; }
    static const Handler<ProbeDialog> handlers[];
};

const Dialog::Handler<ProbeDialog> ProbeDialog::handlers[] = {
    Dialog::Handler<ProbeDialog>::forCommand(4321, BN_CLICKED, &ProbeDialog::onCustom),
    Dialog::Handler<ProbeDialog>::forNotify(77, 5, &ProbeDialog::onNote),
};

INT_PTR ProbeDialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (handle(handlers, message, wParam, lParam, result))
        return result;
    return Dialog::dialogProc(message, wParam, lParam);
}

MSG keyFor(HWND window, WPARAM key)
{
    MSG message = {};
    message.hwnd = window;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    return message;
}
}

TEST(Framework, FailedCreationsLeaveNoObjectWaitingForTheNextWindow)
{
    Dialog missing;
    EXPECT_FALSE(missing.createModeless(9999, nullptr));
    Window noClass;
    EXPECT_FALSE(noClass.createEx(0, "ZandorNoSuchClass", "", WS_POPUP, kSmall, nullptr, 0));

    HWND plain = plainWindow();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(Window::fromHandle(plain), nullptr);
    DestroyWindow(plain);
    EXPECT_EQ(missing.hwnd(), nullptr);
    EXPECT_EQ(noClass.hwnd(), nullptr);
}

TEST(Framework, WindowsOfOurOwnAndOfASystemClassBindToTheirObjects)
{
    Window own;
    ASSERT_TRUE(own.createEx(0, Window::defaultClassName(), "own", WS_POPUP, kSmall, nullptr, 0));
    EXPECT_EQ(Window::fromHandle(own.hwnd()), &own);
    Window system;
    ASSERT_TRUE(system.createEx(0, "STATIC", "system", WS_POPUP, kSmall, nullptr, 0));
    EXPECT_EQ(Window::fromHandle(system.hwnd()), &system);
    // A window made afterwards by hand belongs to nobody.
    HWND plain = plainWindow();
    EXPECT_EQ(Window::fromHandle(plain), nullptr);
    DestroyWindow(plain);

    HWND gone = own.hwnd();
    ASSERT_TRUE(own.destroy());
    EXPECT_EQ(own.hwnd(), nullptr);
    EXPECT_FALSE(IsWindow(gone));
}

TEST(Framework, ASubclassedModalDialogRunsItsTableAndKeepsOKFromTheBase)
{
    ProbeDialog dialog;
    EXPECT_EQ(dialog.runModal(IDD_PROGRESS, nullptr), IDOK);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(dialog.customClicks, 1);
    // WM_NOTIFY's value reaches the sender through DWLP_MSGRESULT.
    EXPECT_EQ(dialog.notifyResult, 42);
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(Framework, LiveModelessDialogsTakeTheirKeyboardMessagesAndGoneOnesNoLonger)
{
    Dialog dialog;
    ASSERT_TRUE(dialog.createModeless(IDD_PROGRESS, nullptr));
    ShowWindow(dialog.hwnd(), SW_SHOW);
    MSG tab = keyFor(dialog.item(IDCANCEL), VK_TAB);
    EXPECT_TRUE(Dialog::routeKeyboard(tab));

    HWND plain = plainWindow();
    MSG elsewhere = keyFor(plain, VK_TAB);
    EXPECT_FALSE(Dialog::routeKeyboard(elsewhere));
    DestroyWindow(plain);

    HWND button = dialog.item(IDCANCEL);
    HWND gone = dialog.hwnd();
    dialog.destroy();
    EXPECT_FALSE(IsWindow(gone));
    MSG late = keyFor(button, VK_TAB);
    EXPECT_FALSE(Dialog::routeKeyboard(late));
}

TEST(Framework, HandleOwnersReleaseWhatTheyHoldOnceAndFollowMoves)
{
    HBITMAP raw = CreateBitmap(4, 4, 1, 32, nullptr);
    {
        BitmapHandle first(raw);
        BitmapHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), raw);
        EXPECT_EQ(GetObjectType(raw), DWORD(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(raw), 0u);

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\ZandorHandleTest", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    {
        KeyHandle owner(key);
        EXPECT_EQ(owner.get(), key);
    }
    EXPECT_EQ(RegSetValueExA(key, "closed", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_INVALID_HANDLE);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZandorHandleTest");

    HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    {
        KernelHandle owner(event);
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    }
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
}
