#include "framework/Application.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/Dialog.h"

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

void Application::setMainWindow(std::unique_ptr<Window> window)
{
    mainWindow_ = std::move(window);
    if (mainWindow_)
        mainWindow_->endLoopWhenGone();
}

int Application::run()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (start())
        exitCode_ = messageLoop();
    else if (mainWindow_)
        mainWindow_->destroy();
    const int code = exit();
    mainWindow_.reset();
    return code;
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
