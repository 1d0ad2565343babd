#pragma once
#include <string>

class Window;

// The one application object: start, the message loop, exit.
class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* instance();
    // The program's file name without its extension; captions every message box.
    static std::string title();
    // Called by the framework once a window is gone: the main window's end posts quit.
    static void windowGone(Window* window);

    // Start, then the loop when start returned true, then exit; gives the exit code.
    int run();

    Window* mainWindow = nullptr;

protected:
    virtual bool start() = 0;
    virtual int exit();

private:
    int messageLoop();
    int exitCode_ = 0;
};
