#include <windows.h>

#include "family/randomstart/RandomStart.h"
#include "family/randomstart/WindowsLaunchSystem.h"

// The system runs this program as the screensaver; what follows its name on
// the command line goes unchanged to the program it starts.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    WindowsLaunchSystem system;
    return RandomStart(system).run(commandLine != nullptr ? commandLine : "");
}
