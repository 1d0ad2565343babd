#include "x11/GlxSurface.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

#include "x11/LoopRules.h"

namespace {

constexpr int kOwnWidth = 1280;
constexpr int kOwnHeight = 720;
constexpr const char* kTitle = "Zandor 3D";

int glVisualRequest[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1,   GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE,
                         1,        GLX_DEPTH_SIZE,   16,           None};

// X errors do not end the program: while it starts, any of them fails the start; once
// the frames run, the errors of a window gone mark the surface failed and the loop ends
// cleanly (the window we draw on may be destroyed by its owner at any time). Others are
// written to stderr, the first of them only, and the frames go on.
volatile bool xErrorSeen = false;
volatile bool framesRunning = false;
volatile bool errorReported = false;

int onXError(Display* display, XErrorEvent* error)
{
    if (!framesRunning || errorEndsFrames(error->error_code)) {
        xErrorSeen = true;
        return 0;
    }
    if (!errorReported) {
        char text[128] = "";
        XGetErrorText(display, error->error_code, text, sizeof text);
        std::fprintf(stderr, "zandor3d: X error %d (%s) from request %d.%d ignored\n", error->error_code, text,
                     error->request_code, error->minor_code);
        errorReported = true;
    }
    return 0;
}

VisualTraits traitsOf(Display* display, XVisualInfo* visual)
{
    VisualTraits traits;
    int value = 0;
    traits.gl = glXGetConfig(display, visual, GLX_USE_GL, &value) == 0 && value != 0;
    if (!traits.gl)
        return traits;
    traits.rgba = glXGetConfig(display, visual, GLX_RGBA, &value) == 0 && value != 0;
    traits.doubleBuffer = glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &value) == 0 && value != 0;
    if (glXGetConfig(display, visual, GLX_DEPTH_SIZE, &value) == 0)
        traits.depthBits = value;
    return traits;
}

}  // namespace

GlxSurface::~GlxSurface()
{
    if (display_ == nullptr)
        return;
    if (context_) {
        glXMakeCurrent(display_, None, nullptr);
        glXDestroyContext(display_, context_);
    }
    if (drawable_ != 0 && drawable_ != target_ && !xErrorSeen)
        XDestroyWindow(display_, drawable_);
    if (ownWindow_ && !xErrorSeen)
        XDestroyWindow(display_, target_);
    if (colormap_ != 0)
        XFreeColormap(display_, colormap_);
    XCloseDisplay(display_);
}

bool GlxSurface::open(const HackOptions& options, std::string& error)
{
    framesRunning = false;
    const bool opened = start(options, error);
    framesRunning = opened;
    return opened;
}

bool GlxSurface::start(const HackOptions& options, std::string& error)
{
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) {
        error = "Can't open the X display.";
        return false;
    }
    XSetErrorHandler(onXError);
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(display_, &errorBase, &eventBase)) {
        error = "Can't Find A Suitable PixelFormat.";
        return false;
    }
    if (!findTarget(options, error))
        return false;
    if (ownWindow_)
        return makeOwnWindow(error);
    XWindowAttributes attributes;
    xErrorSeen = false;
    if (!XGetWindowAttributes(display_, target_, &attributes) || xErrorSeen) {
        error = "Can't find the window to draw on.";
        return false;
    }
    width_ = attributes.width;
    height_ = attributes.height;
    // Only its size and its end are watched; nothing else of it is touched.
    XSelectInput(display_, target_, StructureNotifyMask);
    XVisualInfo* visual = targetVisual();
    const bool direct = visual && drawsDirectly(traitsOf(display_, visual));
    if (visual)
        XFree(visual);
    if (!direct)
        return makeChild(error);
    drawable_ = target_;
    visual = targetVisual();
    const bool made = makeContext(visual, error);
    XFree(visual);
    return made;
}

bool GlxSurface::findTarget(const HackOptions& options, std::string& error)
{
    switch (options.target) {
    case DrawTarget::OwnWindow:
        ownWindow_ = true;
        return true;
    case DrawTarget::WindowId:
        target_ = options.windowId;
        return true;
    case DrawTarget::Root:
        break;
    }
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    unsigned long id = 0;
    if (named == nullptr || *named == '\0') {
        target_ = DefaultRootWindow(display_);
        return true;
    }
    if (!parseWindowId(named, id)) {
        error = std::string("XSCREENSAVER_WINDOW is not a window id: ") + named;
        return false;
    }
    target_ = id;
    return true;
}

XVisualInfo* GlxSurface::targetVisual()
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, target_, &attributes))
        return nullptr;
    XVisualInfo request = {};
    request.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    return XGetVisualInfo(display_, VisualIDMask, &request, &count);
}

XVisualInfo* GlxSurface::chooseGlVisual()
{
    return glXChooseVisual(display_, DefaultScreen(display_), glVisualRequest);
}

// A mapped window of ours with a GL visual inside parent, black until drawn; then the
// context for it. kind adds the top-level window's events, or keeps a child of the
// root from the window manager.
bool GlxSurface::makeGlWindow(Window parent, GlWindowKind kind, std::string& error)
{
    XVisualInfo* visual = chooseGlVisual();
    if (visual == nullptr) {
        error = "Can't Find A Suitable PixelFormat.";
        return false;
    }
    colormap_ = XCreateColormap(display_, parent, visual->visual, AllocNone);
    XSetWindowAttributes attributes = {};
    attributes.colormap = colormap_;
    attributes.background_pixel = BlackPixel(display_, visual->screen);
    attributes.border_pixel = 0;
    attributes.event_mask = kind == GlWindowKind::TopLevel ? StructureNotifyMask | KeyPressMask : StructureNotifyMask;
    attributes.override_redirect = kind == GlWindowKind::Child;
    drawable_ = XCreateWindow(display_, parent, 0, 0, width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1, 0,
                              visual->depth, InputOutput, visual->visual,
                              CWColormap | CWBackPixel | CWBorderPixel | CWEventMask | CWOverrideRedirect, &attributes);
    XMapWindow(display_, drawable_);
    const bool made = makeContext(visual, error);
    XFree(visual);
    return made;
}

bool GlxSurface::makeOwnWindow(std::string& error)
{
    width_ = kOwnWidth;
    height_ = kOwnHeight;
    if (!makeGlWindow(DefaultRootWindow(display_), GlWindowKind::TopLevel, error))
        return false;
    target_ = drawable_;
    XStoreName(display_, target_, kTitle);
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, target_, &deleteWindow_, 1);
    return true;
}

// A child covering the given window; it takes no input, so the window's owner still
// gets every event.
bool GlxSurface::makeChild(std::string& error)
{
    return makeGlWindow(target_, GlWindowKind::Child, error);
}

bool GlxSurface::makeContext(XVisualInfo* visual, std::string& error)
{
    if (visual == nullptr) {
        error = "Can't Find A Suitable PixelFormat.";
        return false;
    }
    context_ = glXCreateContext(display_, visual, nullptr, True);
    if (context_ == nullptr) {
        error = "Can't Create A GL Rendering Context.";
        return false;
    }
    XSync(display_, False);
    if (xErrorSeen || !glXMakeCurrent(display_, drawable_, context_)) {
        error = "Can't activate GLRC.";
        return false;
    }
    return true;
}

int GlxSurface::connection() const
{
    return ConnectionNumber(display_);
}

void GlxSurface::handle(const XEvent& event, SurfaceEvents& events)
{
    switch (event.type) {
    case ConfigureNotify:
        if (event.xconfigure.window == target_ &&
            (event.xconfigure.width != width_ || event.xconfigure.height != height_)) {
            width_ = event.xconfigure.width;
            height_ = event.xconfigure.height;
            events.resized = true;
        }
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == target_ || event.xdestroywindow.window == drawable_)
            events.gone = true;
        break;
    case KeyPress: {
        XKeyEvent key = event.xkey;
        if (ownWindow_ && keyEnds(XLookupKeysym(&key, 0)))
            events.quit = true;
        break;
    }
    case ClientMessage:
        if (ownWindow_ && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_)
            events.quit = true;
        break;
    }
}

SurfaceEvents GlxSurface::takeEvents()
{
    SurfaceEvents events;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        handle(event, events);
    }
    if (events.resized && drawable_ != target_ && !events.gone)
        XResizeWindow(display_, drawable_, width_, height_);  // our child follows
    events.gone = events.gone || xErrorSeen;
    return events;
}

void GlxSurface::swap()
{
    glXSwapBuffers(display_, drawable_);
}

bool GlxSurface::failed() const
{
    return xErrorSeen;
}
