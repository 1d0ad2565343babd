#pragma once
#include <memory>
#include <string>

#include "framework/Window.h"

// The one application object, made in WinMain: start, the message loop, exit. It
// owns the main window object that start makes, until the loop has ended.
class Application {
public:
    Application() = default;
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The program's file name without its extension; captions every message box.
    static std::string title();

    // Start, then the loop when start returned true, then exit; gives the exit code.
    int run();

protected:
    virtual bool start() = 0;
    virtual int exit();
    // Takes the object of the main window, whose end ends the message loop.
    void setMainWindow(std::unique_ptr<Window> window);

private:
    int messageLoop();
    int exitCode_ = 0;
    std::unique_ptr<Window> mainWindow_;
};
