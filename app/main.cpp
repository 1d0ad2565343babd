#include <windows.h>

#include "app/ScreensaverApp.h"

namespace {
ScreensaverApp application;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return application.run();
}
