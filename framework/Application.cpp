#include "framework/Application.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/Dialog.h"

namespace {
Application* theApplication = nullptr;
}

Application::Application()
{
    theApplication = this;
}

Application::~Application()
{
    if (theApplication == this)
        theApplication = nullptr;
}

Application* Application::instance()
{
    return theApplication;
}

std::string Application::title()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name(path, length < sizeof path ? length : 0);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

void Application::windowGone(Window* window)
{
    if (theApplication && theApplication->mainWindow == window) {
        theApplication->mainWindow = nullptr;
        PostQuitMessage(0);
    }
}

int Application::run()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!start()) {
        if (mainWindow)
            mainWindow->destroy();
        return exit();
    }
    exitCode_ = messageLoop();
    return exit();
}

int Application::messageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (Dialog::routeKeyboard(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int Application::exit()
{
    return exitCode_;
}
