// Runs where the test wants the screen's display modes (plain Xvfb, or inside a Wine
// virtual desktop): shows the settings page, gives its combo the focus so that it
// enumerates, and leaves what the combo then holds in the registry for the test.
#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>

#include "config/SettingsPage.h"
#include "resources/DialogIds.h"
#include "tests/driver/Driver.h"
#include "tests/e2e/PageProbeResults.h"

namespace {
void record(const char* name, size_t value)
{
    driver::setDword(kPageProbeKey, name, static_cast<DWORD>(value));
}
}

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 320, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SettingsPage page;
    const RECT rect = {0, 0, 500, 320};
    if (!host || !page.create(rect, host))
        return 2;
    HWND combo = page.item(IDC_VIDEO_MODE);
    SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_VIDEO_MODE, CBN_SETFOCUS), reinterpret_cast<LPARAM>(combo));
    std::set<std::string> texts;
    size_t eightBit = 0;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        eightBit += std::string(text).find("(8 bits)") != std::string::npos;
        texts.insert(text);
    }
    record(kEntryCount, static_cast<size_t>(count));
    record(kEightBitEntries, eightBit);
    record(kRepeatedEntries, static_cast<size_t>(count) - texts.size());
    record(kHas800x600x32, texts.count("800x600 (32 bits)"));
    record(kHasScreenSizeAt32,
           texts.count(DisplayModeList::entryText(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 32)));
    record(kProbeDone, 1);
    return 0;
}
