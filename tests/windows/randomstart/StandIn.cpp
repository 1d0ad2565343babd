// A family program for the launcher's tests: appends the command line it was
// given to "<its own path>.log" and, while the test holds the event, waits.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 3;
    std::FILE* log = std::fopen((std::string(module) + ".log").c_str(), "ab");
    if (log == nullptr)
        return 4;
    std::fprintf(log, "%s\n", GetCommandLineA());
    std::fclose(log);
    if (HANDLE hold = OpenEventA(SYNCHRONIZE, FALSE, "ZandorStandInHold")) {
        WaitForSingleObject(hold, 60000);
        CloseHandle(hold);
    }
    return 0;
}
