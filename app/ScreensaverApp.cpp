#include "app/ScreensaverApp.h"

#include <memory>
#include <new>
#include <string>

#include "app/RunMode.h"
#include "config/SettingsDialog.h"
#include "config/SettingsPage.h"
#include "framework/MessageBox.h"
#include "render/CGLWindow.h"
#include "render/PreviewWindow.h"
#include "resources/ProductStrings.h"

namespace {
std::string argumentString()
{
    const char* line = GetCommandLineA();
    // Skip the program name, quoted or not, as the C runtime does.
    bool quoted = false;
    for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line) {
        if (*line == '"')
            quoted = !quoted;
    }
    std::string arguments(line);
    if (!arguments.empty())
        CharLowerBuffA(&arguments[0], static_cast<DWORD>(arguments.size()));
    return trimArguments(arguments);
}

void warn(const char* text)
{
    showMessage(nullptr, text, MB_OK | MB_ICONWARNING);
}
}

bool ScreensaverApp::start()
{
    const std::string arguments = argumentString();
    switch (chooseRunMode(arguments)) {
    case RunMode::Configure:
        return startConfigure();
    case RunMode::FullScreen:
        return startFullScreen();
    case RunMode::Preview:
        return startPreview();
    case RunMode::EmbeddedPage:
        return startEmbeddedPage(arguments);
    case RunMode::PasswordChange:
    case RunMode::None:
        break;
    }
    return false;
}

bool ScreensaverApp::startConfigure()
{
    SettingsDialog dialog(SettingsDialog::ownPage);
    dialog.run(nullptr);
    return false;
}

bool ScreensaverApp::startFullScreen()
{
    if (GlobalFindAtomA(STR_INSTANCE_ATOM))
        return false;
    GlobalAddAtomA(STR_INSTANCE_ATOM);
    std::unique_ptr<CGLWindow> window(new (std::nothrow) CGLWindow(scene_, sceneHost_));
    if (!window) {
        warn("Error memory allocating for CGLWindow.");
        return false;
    }
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!window->create(screen, nullptr)) {
        warn("Can't create main screen saver window.\nPlease Try to turn off \"Use DirectX mode\" option in "
             "screensaver settings dialog.");
        return false;
    }
    setMainWindow(std::move(window));
    return true;
}

bool ScreensaverApp::startPreview()
{
    if (__argc < 3)
        return false;
    HWND parent = reinterpret_cast<HWND>(static_cast<UINT_PTR>(parsePreviewHandle(__argv[2])));
    if (!parent || !IsWindow(parent))
        return false;
    std::unique_ptr<PreviewWindow> window(new (std::nothrow) PreviewWindow);
    if (!window) {
        warn("Error allocating memory for preview window.");
        return false;
    }
    if (!window->create(parent))
        return false;
    setMainWindow(std::move(window));
    return true;
}

bool ScreensaverApp::startEmbeddedPage(const std::string& arguments)
{
    unsigned long handle = 0;
    if (!parseEmbeddedHandle(arguments, handle))
        return false;
    HWND host = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    if (!IsWindow(host))
        return false;
    RECT client;
    if (!GetClientRect(host, &client))
        return false;
    std::unique_ptr<SettingsPage> page(new (std::nothrow) SettingsPage);
    if (!page || !page->create(client, host))
        return false;
    ShowWindow(page->hwnd(), SW_SHOWNA);
    setMainWindow(std::move(page));
    return true;
}

int ScreensaverApp::exit()
{
    // Removes the marker whoever added it: a refused second start, a configure or a
    // preview run each end a running full-screen instance's claim.
    if (ATOM atom = GlobalFindAtomA(STR_INSTANCE_ATOM))
        GlobalDeleteAtom(atom);
    return Application::exit();
}
