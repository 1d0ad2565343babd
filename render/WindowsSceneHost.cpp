#include "render/WindowsSceneHost.h"

#include "framework/MessageBox.h"

void WindowsSceneHost::showError(const char* text, unsigned iconKind)
{
    showMessage(owner_, text, MB_OK | (iconKind == ErrorIcon ? MB_ICONERROR : 0));
}

void WindowsSceneHost::requestQuit()
{
    PostQuitMessage(0);
}

uint32_t WindowsSceneHost::tickCount()
{
    return GetTickCount();
}
