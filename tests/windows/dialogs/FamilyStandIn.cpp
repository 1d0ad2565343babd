// A family program for the settings dialog's tests. Started with "-1:HANDLE" it puts
// a page into that window, as a member's own page would, and counts the page
// commands it gets; started with anything else it records the argument, as the
// handler of web links the test prefix is given. Everything goes to the registry
// key the tests read. With ZANDOR_GUEST_HANG set, the page never answers its close.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "family/PageCommands.h"

namespace {
const char kKey[] = "Software\\ZandorTests\\Guest";

void record(const char* name, const std::string& text)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
    RegCloseKey(key);
}

void count(const char* name)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        return;
    DWORD value = 0, size = sizeof value;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    ++value;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

LRESULT CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case PageCommandPreview:
        count("Preview");
        return 0;
    case PageCommandRestoreDefaults:
        count("RestoreDefaults");
        return 0;
    case WM_CLOSE:
        if (std::getenv("ZANDOR_GUEST_HANG"))
            Sleep(INFINITE);
        count("Closed");
        DestroyWindow(page);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(page, message, wParam, lParam);
}

// The text after the program's own quoted or plain name.
const char* arguments(const char* line)
{
    bool quoted = false;
    for (; *line && (quoted || *line != ' '); ++line) {
        if (*line == '"')
            quoted = !quoted;
    }
    while (*line == ' ')
        ++line;
    return line;
}
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const char* given = arguments(GetCommandLineA());
    if (std::strncmp(given, "-1:", 3) != 0) {
        record("Opened", given);
        return 0;
    }
    record("CommandLine", GetCommandLineA());
    HWND host = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(given + 3, nullptr, 16)));
    WNDCLASSA pageClass = {};
    pageClass.lpfnWndProc = pageProc;
    pageClass.hInstance = instance;
    pageClass.lpszClassName = "ZandorStandInPage";
    RegisterClassA(&pageClass);
    RECT client = {};
    GetClientRect(host, &client);
    if (!CreateWindowExA(0, pageClass.lpszClassName, "stand-in page", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                         client.bottom, host, nullptr, instance, nullptr))
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
