"""The Linux tests' own X side: a private Xvfb started and stopped by its PID, and
a tiny X client over libX11 (ctypes) that makes windows with and without a GL
visual, resizes and destroys them, presses keys and reads pictures back.
"""
import ctypes
import ctypes.util
import os
import select
import subprocess

BACKGROUND = 0xFF00FF  # magenta: what our windows show where nothing was drawn

CW_BACK_PIXEL = 1 << 1
CW_BORDER_PIXEL = 1 << 3
CW_COLORMAP = 1 << 13
INPUT_OUTPUT = 1
ALLOC_NONE = 0
IS_UNMAPPED = 0
IS_VIEWABLE = 2
CLIENT_MESSAGE = 33
GLX_USE_GL = 1
GLX_RGBA = 4
GLX_DOUBLEBUFFER = 5
GLX_DEPTH_SIZE = 12


class XVisualInfo(ctypes.Structure):
    _fields_ = [("visual", ctypes.c_void_p), ("visualid", ctypes.c_ulong), ("screen", ctypes.c_int),
                ("depth", ctypes.c_int), ("c_class", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong), ("colormap_size", ctypes.c_int),
                ("bits_per_rgb", ctypes.c_int)]


class XSetWindowAttributes(ctypes.Structure):
    _fields_ = [("background_pixmap", ctypes.c_ulong), ("background_pixel", ctypes.c_ulong),
                ("border_pixmap", ctypes.c_ulong), ("border_pixel", ctypes.c_ulong), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("event_mask", ctypes.c_long),
                ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("cursor", ctypes.c_ulong)]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


def library(name):
    return ctypes.CDLL(ctypes.util.find_library(name))


xlib = library("X11")
glx = library("GL")
xtest = library("Xtst")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
for name, result, parameters in [
        ("XCloseDisplay", ctypes.c_int, [ctypes.c_void_p]),
        ("XDefaultScreen", ctypes.c_int, [ctypes.c_void_p]),
        ("XRootWindow", ctypes.c_ulong, [ctypes.c_void_p, ctypes.c_int]),
        ("XGetVisualInfo", ctypes.POINTER(XVisualInfo),
         [ctypes.c_void_p, ctypes.c_long, ctypes.POINTER(XVisualInfo), ctypes.POINTER(ctypes.c_int)]),
        ("XCreateColormap", ctypes.c_ulong, [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_int]),
        ("XCreateWindow", ctypes.c_ulong,
         [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint,
          ctypes.c_int, ctypes.c_uint, ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XSetWindowAttributes)]),
        ("XMapWindow", ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong]),
        ("XResizeWindow", ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint]),
        ("XDestroyWindow", ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong]),
        ("XSync", ctypes.c_int, [ctypes.c_void_p, ctypes.c_int]),
        ("XFree", ctypes.c_int, [ctypes.c_void_p]),
        ("XGetWindowAttributes", ctypes.c_int,
         [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]),
        ("XQueryTree", ctypes.c_int,
         [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
          ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)), ctypes.POINTER(ctypes.c_uint)]),
        ("XInternAtom", ctypes.c_ulong, [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]),
        ("XSendEvent", ctypes.c_int,
         [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XClientMessageEvent)]),
        ("XStringToKeysym", ctypes.c_ulong, [ctypes.c_char_p]),
        ("XKeysymToKeycode", ctypes.c_ubyte, [ctypes.c_void_p, ctypes.c_ulong])]:
    getattr(xlib, name).restype = result
    getattr(xlib, name).argtypes = parameters
glx.glXGetConfig.argtypes = [ctypes.c_void_p, ctypes.POINTER(XVisualInfo), ctypes.c_int,
                             ctypes.POINTER(ctypes.c_int)]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]


class PrivateDisplay:
    """An Xvfb of our own on a display it finds free; it stops by its PID."""

    def __init__(self, folder, size="1024x768"):
        self.folder = folder
        self.size = size
        self.process = None
        self.name = None

    def __enter__(self):
        os.makedirs(self.folder, exist_ok=True)
        number = self.start_server()
        if number is None:
            self.stop()
            raise RuntimeError("Xvfb did not start (see %s)" % os.path.join(self.folder, "xvfb.log"))
        self.name = ":%d" % number
        return self

    # Xvfb picks a free display itself and writes its number once it listens, so
    # runs that start together never meet on one display.
    def start_server(self):
        reader, writer = os.pipe()
        with open(os.path.join(self.folder, "xvfb.log"), "w") as log:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(writer), "-screen", "0", "%sx24" % self.size, "+extension", "GLX",
                 "-nolisten", "tcp"], stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True,
                pass_fds=(writer,))
        os.close(writer)
        with os.fdopen(reader) as numbers:
            ready, _, _ = select.select([numbers], [], [], 10)
            line = numbers.readline() if ready else ""
        return int(line) if line.strip().isdigit() else None

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            self.process.wait()

    def __exit__(self, *exception):
        self.stop()

    def environment(self, **extra):
        values = dict(os.environ, DISPLAY=self.name, XDG_CACHE_HOME=os.path.join(self.folder, "cache"))
        values.pop("XSCREENSAVER_WINDOW", None)
        values.update(extra)
        return values


class Client:
    """One connection to the display, holding the windows it makes."""

    def __init__(self, display_name):
        self.display = xlib.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError("cannot open display " + display_name)
        self.screen = xlib.XDefaultScreen(self.display)
        self.root = xlib.XRootWindow(self.display, self.screen)

    def close(self):
        xlib.XCloseDisplay(self.display)

    def visuals(self):
        """(visual info, has GL, double-buffered RGBA with depth) for every visual of the screen."""
        count = ctypes.c_int()
        template = XVisualInfo()
        array = xlib.XGetVisualInfo(self.display, 0, ctypes.byref(template), ctypes.byref(count))
        found = []
        for index in range(count.value):
            info = XVisualInfo.from_buffer_copy(array[index])
            found.append((info, self.config(info, GLX_USE_GL) == 1,
                          all(self.config(info, key) > 0 for key in (GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE))))
        xlib.XFree(array)
        return found

    def config(self, info, attribute):
        value = ctypes.c_int(0)
        if glx.glXGetConfig(self.display, ctypes.byref(info), attribute, ctypes.byref(value)) != 0:
            return 0
        return value.value

    def gl_visual(self):
        return next(info for info, _, usable in self.visuals() if usable and info.depth == 24)

    def create_window(self, width, height, visual=None, mapped=True, x=10, y=10):
        """A window with a magenta background, of the given visual (None: the root's)."""
        attributes = XSetWindowAttributes(background_pixel=BACKGROUND, border_pixel=0)
        mask = CW_BACK_PIXEL | CW_BORDER_PIXEL
        depth, native = 0, None  # CopyFromParent
        if visual is not None:
            depth, native = visual.depth, visual.visual
            attributes.colormap = xlib.XCreateColormap(self.display, self.root, native, ALLOC_NONE)
            mask |= CW_COLORMAP
        window = xlib.XCreateWindow(self.display, self.root, x, y, width, height, 0, depth, INPUT_OUTPUT, native,
                                    mask, ctypes.byref(attributes))
        if mapped:
            xlib.XMapWindow(self.display, window)
        xlib.XSync(self.display, 0)
        return window

    def resize(self, window, width, height):
        xlib.XResizeWindow(self.display, window, width, height)
        xlib.XSync(self.display, 0)

    def destroy(self, window):
        xlib.XDestroyWindow(self.display, window)
        xlib.XSync(self.display, 0)

    def attributes(self, window):
        values = XWindowAttributes()
        if not xlib.XGetWindowAttributes(self.display, window, ctypes.byref(values)):
            return None
        return values

    def tree(self, window):
        """(parent, children) of a window."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_uint()
        xlib.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(children),
                        ctypes.byref(count))
        listed = [children[index] for index in range(count.value)]
        if children:
            xlib.XFree(children)
        return parent.value, listed

    def press_key(self, name, x, y):
        """Presses a key with the pointer at (x, y): without a window manager the focus follows the pointer."""
        code = xlib.XKeysymToKeycode(self.display, xlib.XStringToKeysym(name.encode()))
        xtest.XTestFakeMotionEvent(self.display, self.screen, x, y, 0)
        xtest.XTestFakeKeyEvent(self.display, code, 1, 0)
        xtest.XTestFakeKeyEvent(self.display, code, 0, 0)
        xlib.XSync(self.display, 0)

    def close_box(self, window):
        """What a window manager sends when the close box is clicked."""
        event = XClientMessageEvent(type=CLIENT_MESSAGE, window=window, format=32)
        event.message_type = xlib.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        event.data[0] = xlib.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)
        xlib.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        xlib.XSync(self.display, 0)


class Picture:
    """A screenshot read back: width, height and RGB bytes."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.pixels[at:at + 3])

    def share(self, test, box=None):
        """The share of pixels in box (x0, y0, x1, y1) for which test(r, g, b) holds."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        hits = sum(1 for y in range(y0, y1) for x in range(x0, x1) if test(*self.pixel(x, y)))
        return hits / float(max(1, (x1 - x0) * (y1 - y0)))


def lit(r, g, b):
    return max(r, g, b) > 40


def background(r, g, b):
    return (r, g, b) == ((BACKGROUND >> 16) & 255, (BACKGROUND >> 8) & 255, BACKGROUND & 255)


def screenshot(display, window, path):
    """Saves the window's picture (an id, or "root") as a PNG to look at, and returns it read back."""
    named = window if isinstance(window, str) else hex(window)
    taken = subprocess.run(["import", "-display", display, "-window", named, path], capture_output=True,
                           text=True, timeout=60)
    if taken.returncode != 0:
        raise RuntimeError("import of window %d failed: %s" % (window, taken.stderr.strip()))
    return read_picture(path)


def read_picture(path):
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True)
    width, height = (int(value) for value in size.stdout.split())
    return Picture(width, height, raw)
