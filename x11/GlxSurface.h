#pragma once
#include <X11/Xlib.h>
#include <GL/glx.h>

#include <string>

#include "x11/HackOptions.h"

// What the events since the last look asked for.
struct SurfaceEvents {
    bool resized = false;
    bool quit = false;  // a key or the close box of our own window
    bool gone = false;  // the window we draw on was destroyed
};

// The X window the scene is drawn on and its GLX context. A window the program did
// not create is never mapped, resized or reparented: the context is made for its own
// visual, or, where that visual cannot serve, for a child window of ours that
// follows its size.
class GlxSurface {
public:
    GlxSurface() = default;
    GlxSurface(const GlxSurface&) = delete;
    GlxSurface& operator=(const GlxSurface&) = delete;
    ~GlxSurface();

    // Opens the display, finds or makes the window and makes the context current.
    // False with the text to report in error.
    bool open(const HackOptions& options, std::string& error);
    int width() const { return width_; }
    int height() const { return height_; }
    int connection() const;
    SurfaceEvents takeEvents();
    void swap();
    // An error of a window gone came since the last look (it went away under us).
    bool failed() const;

private:
    bool start(const HackOptions& options, std::string& error);
    bool findTarget(const HackOptions& options, std::string& error);
    enum class GlWindowKind { TopLevel, Child };
    bool makeGlWindow(Window parent, GlWindowKind kind, std::string& error);
    bool makeOwnWindow(std::string& error);
    bool makeChild(std::string& error);
    bool makeContext(XVisualInfo* visual, std::string& error);
    XVisualInfo* targetVisual();
    XVisualInfo* chooseGlVisual();
    void handle(const XEvent& event, SurfaceEvents& events);

    Display* display_ = nullptr;
    Window target_ = 0;  // the window given, or our own top-level window
    Window drawable_ = 0;  // target_, or our child of it
    bool ownWindow_ = false;
    Colormap colormap_ = 0;
    GLXContext context_ = nullptr;
    Atom deleteWindow_ = 0;
    int width_ = 0;
    int height_ = 0;
};
