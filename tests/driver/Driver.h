#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The test driver: what end-to-end tests need to start our programs under Wine and
// look at them from outside, through the real registry, atoms, windows and input.
namespace driver {

// "/work/x/y.scr" -> "Z:\work\x\y.scr" (Wine maps the Unix root to drive Z:).
std::string windowsPath(const std::string& unixPath);

struct Process {
    HANDLE handle = nullptr;
    DWORD pid = 0;
};

// Starts exe with the command line "\"exe\" arguments" (just "\"exe\"" when empty).
bool start(const std::string& exe, const std::string& arguments, Process& process);
// Waits for the end; false on time-out. The handle is closed once the process ended.
bool waitExit(Process& process, DWORD timeoutMs, DWORD& exitCode);
void terminate(Process& process);
// "running", "ended with code N" or "no process": what a failure message says of it.
std::string describe(const Process& process);
// Starts, waits and gives the exit code; -999 when it did not end in time (then it is terminated).
long run(const std::string& exe, const std::string& arguments, DWORD timeoutMs = 20000);

// Registry under HKEY_CURRENT_USER.
bool deleteTree(const std::string& key);
bool setDword(const std::string& key, const std::string& name, DWORD value);
bool setString(const std::string& key, const std::string& name, const std::string& value);
bool setRaw(const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size);
bool getDword(const std::string& key, const std::string& name, DWORD& value);
bool getString(const std::string& key, const std::string& name, std::string& value);
bool valueExists(const std::string& key, const std::string& name);

// Global atoms.
bool atomExists(const char* name);
void atomAdd(const char* name);
void atomDeleteAll(const char* name);

// Windows of another process.
HWND waitForTopWindow(DWORD pid, DWORD timeoutMs);
// The first child window of parent; a guest program of another process may take long
// to put it there on a busy machine. Null after the time-out.
HWND waitForChild(HWND parent, DWORD timeoutMs = 30000);
HWND waitForWindowWithClass(DWORD pid, const char* className, DWORD timeoutMs);
// The full-screen window of a running screensaver: its visible top-most dialog-class
// window (the loading box comes first and is not top-most; the black windows over
// other monitors are of another class); null after the time-out.
HWND waitForScreenWindow(DWORD pid, DWORD timeoutMs = 20000);
// The same window as soon as it exists: still hidden while the run loads.
HWND waitForLoadingScreenWindow(DWORD pid, DWORD timeoutMs = 20000);
std::string windowText(HWND window);
std::string className(HWND window);
// Visible ones only, unless hiddenToo.
std::vector<HWND> topWindows(DWORD pid, bool hiddenToo = false);

// Synthesised input through SendInput, as a user's would arrive.
void pressKey(WORD virtualKey);
void pressAltKey(WORD virtualKey);
// x and y anywhere on the virtual screen, whichever monitor they are on.
void moveMouseTo(int x, int y);
void clickMouse(DWORD downFlag, DWORD upFlag);

// Handles this thread's pending messages: a guest window of another process sends
// its parent (a window of the test) messages and waits for the answers.
void pumpMessages();

// Polls until the condition holds or the time is up, pumping messages meanwhile.
template <class Condition> bool waitFor(Condition condition, DWORD timeoutMs)
{
    const DWORD started = GetTickCount();
    for (;;) {
        pumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - started >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace driver
