#include "tests/driver/Driver.h"

namespace driver {

std::string windowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

bool start(const std::string& exe, const std::string& arguments, Process& process)
{
    std::string line = "\"" + exe + "\"";
    if (!arguments.empty())
        line += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.pid = info.dwProcessId;
    return true;
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool waitExit(Process& process, DWORD timeoutMs, DWORD& exitCode)
{
    if (!waitFor([&] { return WaitForSingleObject(process.handle, 0) == WAIT_OBJECT_0; }, timeoutMs))
        return false;
    GetExitCodeProcess(process.handle, &exitCode);
    CloseHandle(process.handle);
    process.handle = nullptr;
    return true;
}

void terminate(Process& process)
{
    if (!process.handle)
        return;
    TerminateProcess(process.handle, 999);
    WaitForSingleObject(process.handle, 5000);
    CloseHandle(process.handle);
    process.handle = nullptr;
}

std::string describe(const Process& process)
{
    DWORD code = 0;
    if (!process.handle || !GetExitCodeProcess(process.handle, &code))
        return "no process";
    return code == STILL_ACTIVE ? "running" : "ended with code " + std::to_string(code);
}

long run(const std::string& exe, const std::string& arguments, DWORD timeoutMs)
{
    Process process;
    if (!start(exe, arguments, process))
        return -1000;
    DWORD code = 0;
    if (!waitExit(process, timeoutMs, code)) {
        terminate(process);
        return -999;
    }
    return static_cast<long>(static_cast<int>(code));
}

bool deleteTree(const std::string& key)
{
    LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool setRaw(const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return ok;
}

bool setDword(const std::string& key, const std::string& name, DWORD value)
{
    return setRaw(key, name, REG_DWORD, &value, sizeof value);
}

bool setString(const std::string& key, const std::string& name, const std::string& value)
{
    return setRaw(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool getDword(const std::string& key, const std::string& name, DWORD& value)
{
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

bool getString(const std::string& key, const std::string& name, std::string& value)
{
    char text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return false;
    value = text;
    return true;
}

bool valueExists(const std::string& key, const std::string& name)
{
    return RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool atomExists(const char* name)
{
    return GlobalFindAtomA(name) != 0;
}

void atomAdd(const char* name)
{
    GlobalAddAtomA(name);
}

void atomDeleteAll(const char* name)
{
    while (ATOM atom = GlobalFindAtomA(name)) {
        if (GlobalDeleteAtom(atom) != 0)
            break;
    }
}

std::vector<HWND> topWindows(DWORD pid, bool hiddenToo)
{
    struct Search {
        DWORD pid;
        bool hiddenToo;
        std::vector<HWND> found;
    } search{pid, hiddenToo, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && (s->hiddenToo || IsWindowVisible(window)))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopWindow(DWORD pid, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitFor(
        [&] {
            std::vector<HWND> windows = topWindows(pid);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND waitForWindowWithClass(DWORD pid, const char* wanted, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitFor(
        [&] {
            for (HWND window : topWindows(pid)) {
                if (className(window) == wanted) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

namespace {
HWND screenWindow(DWORD pid, bool hiddenToo)
{
    for (HWND window : topWindows(pid, hiddenToo)) {
        if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) && className(window) == "#32770")
            return window;
    }
    return nullptr;
}
}

HWND waitForScreenWindow(DWORD pid, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitFor([&] { return (found = screenWindow(pid, false)) != nullptr; }, timeoutMs);
    return found;
}

HWND waitForLoadingScreenWindow(DWORD pid, DWORD timeoutMs)
{
    HWND found = nullptr;
    waitFor([&] { return (found = screenWindow(pid, true)) != nullptr; }, timeoutMs);
    return found;
}

HWND waitForChild(HWND parent, DWORD timeoutMs)
{
    HWND child = nullptr;
    waitFor([&] { return (child = GetWindow(parent, GW_CHILD)) != nullptr; }, timeoutMs);
    return child;
}

std::string windowText(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    char narrow[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

std::string className(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {
void sendKeyEvent(WORD virtualKey, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void sendMouseEvent(DWORD flags, LONG dx, LONG dy)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}
}

void pressKey(WORD virtualKey)
{
    sendKeyEvent(virtualKey, 0);
    sendKeyEvent(virtualKey, KEYEVENTF_KEYUP);
}

void pressAltKey(WORD virtualKey)
{
    sendKeyEvent(VK_MENU, 0);
    sendKeyEvent(virtualKey, 0);
    sendKeyEvent(virtualKey, KEYEVENTF_KEYUP);
    sendKeyEvent(VK_MENU, KEYEVENTF_KEYUP);
}

void moveMouseTo(int x, int y)
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    // Absolute coordinates are in 1/65536 of the whole virtual screen (every
    // monitor); aim at the pixel centre.
    LONG dx = static_cast<LONG>(((x - left) * 65536LL + 32768) / width);
    LONG dy = static_cast<LONG>(((y - top) * 65536LL + 32768) / height);
    sendMouseEvent(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK, dx, dy);
}

void clickMouse(DWORD downFlag, DWORD upFlag)
{
    sendMouseEvent(downFlag, 0, 0);
    sendMouseEvent(upFlag, 0, 0);
}

}  // namespace driver
