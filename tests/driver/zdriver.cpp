// Command-line face of the test driver, for scripts:
//   zdriver press-key            a key press through SendInput (as a user's)
//   zdriver atom-exists NAME     exit code 0 when the global atom exists, 1 otherwise
#include <cstring>

#include "tests/driver/Driver.h"

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "press-key") == 0) {
        driver::pressKey(VK_SPACE);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "atom-exists") == 0)
        return driver::atomExists(argv[2]) ? 0 : 1;
    return 2;
}
