// Command-line face of the test driver, for scripts:
//   zdriver press-key            a key press through SendInput (as a user's)
//   zdriver press-key-per-line   prints "ready", then presses a key for each line read
//                                and prints "pressed": a key within milliseconds of the word
//   zdriver atom-exists NAME     exit code 0 when the global atom exists, 1 otherwise
//   zdriver window-titles        the title of each visible top-level window, one a line
#include <cstdio>
#include <cstring>

#include "tests/driver/Driver.h"

namespace {
// GetWindowTextA reads another process's title without a message, so a window
// busy with a long frame does not hold the answer.
BOOL CALLBACK printTitle(HWND window, LPARAM)
{
    char title[256] = {};
    if (IsWindowVisible(window) && GetWindowTextA(window, title, sizeof title) > 0)
        std::printf("%s\n", title);
    return TRUE;
}
}

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "press-key") == 0) {
        driver::pressKey(VK_SPACE);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "press-key-per-line") == 0) {
        std::printf("ready\n");
        std::fflush(stdout);
        char line[64];
        while (std::fgets(line, sizeof line, stdin)) {
            driver::pressKey(VK_SPACE);
            std::printf("pressed\n");
            std::fflush(stdout);
        }
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "window-titles") == 0) {
        EnumWindows(printTitle, 0);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "atom-exists") == 0)
        return driver::atomExists(argv[2]) ? 0 : 1;
    return 2;
}
