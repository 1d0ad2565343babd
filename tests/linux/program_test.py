"""End-to-end tests of the Linux program on a private Xvfb, driven by our own X client.

  program_test.py CASE PROGRAM WORK_FOLDER [SUPPRESSIONS]

Every run's standard error is kept in WORK_FOLDER and must hold no sanitizer
report; screenshots are saved there as PNGs.
"""
import os
import shutil
import signal
import subprocess
import sys
import time

import xclient

DRAW_LIMIT = 60.0  # the sanitizer build loads the pack slowly
SIGNAL_LIMIT = 2.0  # the program ends within 0.2 s; slack for a loaded machine
END_LIMIT = 10.0
LIT_SHARE = 0.001  # the sun and the brightest stars at least
SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:", "WARNING: AddressSanitizer")
TOUR_SECONDS = 20.0


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Program:
    """One run of the program with its standard error kept in a file."""

    runs = 0

    def __init__(self, context, arguments, **environment):
        Program.runs += 1
        self.context = context
        self.log = os.path.join(context.work, "run%d.stderr" % Program.runs)
        self.arguments = [context.program] + list(arguments)
        with open(self.log, "w") as log:
            self.process = subprocess.Popen(self.arguments, env=context.environment(**environment),
                                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=log,
                                            start_new_session=True)
        print("started: %s" % " ".join(self.arguments[1:]))

    def stderr(self):
        with open(self.log, errors="replace") as text:
            return text.read()

    def running(self):
        return self.process.poll() is None

    def wait(self, limit):
        """The exit code, or None when it still runs after limit seconds (it is then killed)."""
        try:
            self.process.wait(limit)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None
        finally:
            self.process.stdout.close()
        return self.process.returncode

    def signal_and_wait(self, number):
        sent = time.monotonic()
        self.process.send_signal(number)
        code = self.wait(END_LIMIT)
        return code, time.monotonic() - sent

    def stop(self):
        if self.running():
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()

    def sanitizer_report(self):
        text = self.stderr()
        return next((line for line in text.splitlines() if any(mark in line for mark in SANITIZER_REPORTS)), None)


class Context:
    def __init__(self, program, work, display, suppressions):
        self.program, self.work, self.display = program, work, display
        self.client = xclient.Client(display.name)
        self.suppressions = suppressions
        self.started = []
        self.shots = 0

    def environment(self, **extra):
        values = self.display.environment(**extra)
        if self.suppressions:
            values["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=0" % self.suppressions
        values.setdefault("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1")
        return values

    def run(self, *arguments, **environment):
        program = Program(self, arguments, **environment)
        self.started.append(program)
        return program

    def shot(self, window, name):
        self.shots += 1
        return xclient.screenshot(self.display.name, window, os.path.join(self.work, "%02d-%s.png" % (self.shots,
                                                                                                     name)))

    def wait_drawn(self, program, window, name):
        """The first screenshot in which the program has drawn over the whole window."""
        end = time.monotonic() + DRAW_LIMIT
        while True:
            picture = self.shot(window, name)
            if picture.share(xclient.background) == 0 and picture.share(xclient.lit) >= LIT_SHARE:
                print("%s: %dx%d, %.2f %% lit" % (name, picture.width, picture.height,
                                                  100 * picture.share(xclient.lit)))
                return picture
            check(program.running(), "the program ended (%s) before drawing; stderr:\n%s"
                  % (program.process.returncode, program.stderr()))
            check(time.monotonic() < end, "no picture in %s within %.0f s" % (name, DRAW_LIMIT))
            time.sleep(0.5)

    def finish(self):
        for program in self.started:
            program.stop()
            report = program.sanitizer_report()
            check(report is None, "sanitizer report in %s: %s" % (program.log, report))
        self.client.close()


def ends_on(context, program, number):
    code, seconds = program.signal_and_wait(number)
    name = signal.Signals(number).name
    check(code is not None, "still running %.0f s after %s" % (END_LIMIT, name))
    print("%s: exit code %d after %.3f s" % (name, code, seconds))
    check(code == 0, "%s ended it with %d, not 0" % (name, code))
    check(seconds <= SIGNAL_LIMIT, "%s took %.2f s to end it" % (name, seconds))


def unchanged(context, window, before):
    after = context.client.attributes(window)
    check((after.width, after.height, after.map_state) == (before.width, before.height, before.map_state),
          "the program changed the window it was given")
    check(context.client.tree(window)[0] == context.client.root, "the program reparented the window it was given")


def case_window_id_hex(context):
    window = context.client.create_window(400, 300, context.client.gl_visual())
    before = context.client.attributes(window)
    program = context.run("--window-id", hex(window))
    context.wait_drawn(program, window, "window-id-hex")
    unchanged(context, window, before)
    ends_on(context, program, signal.SIGTERM)


def case_window_id_decimal(context):
    window = context.client.create_window(400, 300, context.client.gl_visual())
    program = context.run("-window-id", str(window))
    context.wait_drawn(program, window, "window-id-decimal")
    ends_on(context, program, signal.SIGINT)


def case_root_environment(context):
    """-root draws on XSCREENSAVER_WINDOW, hex or decimal; -window-id wins over it."""
    for written in (hex, str):
        window = context.client.create_window(400, 300, context.client.gl_visual())
        program = context.run("-root", XSCREENSAVER_WINDOW=written(window))
        context.wait_drawn(program, window, "root-" + written.__name__)
        ends_on(context, program, signal.SIGTERM)
    named = context.client.create_window(300, 200, context.client.gl_visual(), x=10)
    given = context.client.create_window(300, 200, context.client.gl_visual(), x=400)
    program = context.run("--root", "--window-id", hex(given), XSCREENSAVER_WINDOW=hex(named))
    context.wait_drawn(program, given, "window-id-wins")
    check(context.shot(named, "root-window-untouched").share(xclient.background) == 1.0,
          "the program drew on XSCREENSAVER_WINDOW although --window-id named another window")
    ends_on(context, program, signal.SIGTERM)


def case_root_window(context):
    """-root without XSCREENSAVER_WINDOW draws on the real root window."""
    program = context.run("-root")
    end = time.monotonic() + DRAW_LIMIT
    while context.shot("root", "root").share(xclient.lit) < LIT_SHARE:
        check(program.running(), "the program ended before drawing; stderr:\n" + program.stderr())
        check(time.monotonic() < end, "nothing drawn on the root window within %.0f s" % DRAW_LIMIT)
        time.sleep(0.5)
    ends_on(context, program, signal.SIGTERM)


def case_resize(context):
    """After a resize the picture fills the new size: scene pixels where the old size ended."""
    window = context.client.create_window(320, 240, context.client.gl_visual())
    program = context.run("--window-id", hex(window), "--no-random-start")
    context.wait_drawn(program, window, "before-resize")
    context.client.resize(window, 640, 480)
    time.sleep(1.0)
    picture = context.wait_drawn(program, window, "after-resize")
    check((picture.width, picture.height) == (640, 480), "the window is %dx%d" % (picture.width, picture.height))
    # With the old viewport the scene would stay in the bottom-left 320x240.
    for name, box in (("top half", (0, 0, 640, 240)), ("right half", (320, 0, 640, 480))):
        share = picture.share(xclient.lit, box)
        print("lit in the %s: %.2f %%" % (name, 100 * share))
        check(share > 0, "nothing drawn in the %s of the resized window" % name)
    ends_on(context, program, signal.SIGTERM)


def case_destroyed(context):
    """The window destroyed under it ends it cleanly: an exit, no signal, no core, no hang."""
    window = context.client.create_window(400, 300, context.client.gl_visual())
    program = context.run("--window-id", hex(window))
    context.wait_drawn(program, window, "before-destroy")
    destroyed = time.monotonic()
    context.client.destroy(window)
    code = program.wait(END_LIMIT)
    check(code is not None, "still running %.0f s after its window was destroyed" % END_LIMIT)
    print("window destroyed: exit code %d after %.3f s" % (code, time.monotonic() - destroyed))
    check(code >= 0, "ended by signal %d" % -code)


def case_no_gl_visual(context):
    """A window whose visual has no usable GL: the program draws in a child window of its own."""
    candidates = [info for info, has_gl, usable in context.client.visuals() if not usable and info.depth == 24]
    without_gl = [info for info, has_gl, usable in context.client.visuals() if not has_gl]
    visual = (without_gl or candidates)[0]
    print("visual 0x%x: %s" % (visual.visualid, "no GL" if without_gl else "GL, but single-buffered or no depth"))
    window = context.client.create_window(400, 300, visual)
    before = context.client.attributes(window)
    program = context.run("--window-id", hex(window))
    context.wait_drawn(program, window, "no-gl-visual")
    unchanged(context, window, before)
    children = context.client.tree(window)[1]
    check(children, "no child window: the program drew into a window without a usable GL visual")
    check(context.client.attributes(window).visual == before.visual, "the window's visual changed")
    ends_on(context, program, signal.SIGTERM)


def case_unmapped_window(context):
    """A window it did not create is never mapped or resized."""
    window = context.client.create_window(300, 200, context.client.gl_visual(), mapped=False)
    before = context.client.attributes(window)
    program = context.run("--window-id", hex(window))
    time.sleep(5.0)
    check(program.running(), "the program ended on an unmapped window; stderr:\n" + program.stderr())
    check(context.client.attributes(window).map_state == xclient.IS_UNMAPPED, "the program mapped the window")
    unchanged(context, window, before)
    ends_on(context, program, signal.SIGTERM)


def case_own_window(context):
    """-window: its own 1280x720 window; q, Escape and the close box end it with 0."""
    for ending in ("q", "Escape", "close box"):
        known = set(context.client.tree(context.client.root)[1])
        program = context.run("-window")
        end = time.monotonic() + DRAW_LIMIT
        window = None
        while window is None:
            check(program.running(), "the program ended before its window came; stderr:\n" + program.stderr())
            check(time.monotonic() < end, "no window within %.0f s" % DRAW_LIMIT)
            time.sleep(0.5)
            window = next((w for w in context.client.tree(context.client.root)[1] if w not in known
                           and context.client.attributes(w).map_state == xclient.IS_VIEWABLE), None)
        size = context.client.attributes(window)
        check((size.width, size.height) == (1280, 720), "its window is %dx%d" % (size.width, size.height))
        context.wait_drawn(program, window, "own-window")
        if ending == "close box":
            context.client.close_box(window)
        else:
            context.client.press_key(ending, size.x + 100, size.y + 100)
        code = program.wait(END_LIMIT)
        print("%s: exit code %s" % (ending, code))
        check(code == 0, "%s did not end it with 0 (%s)" % (ending, code))


def case_usage(context):
    """-help prints the usage and exits 0; a bad command line prints it on stderr and exits 1."""
    shown = subprocess.run([context.program, "-help"], env=context.environment(), capture_output=True, text=True,
                           timeout=60)
    check(shown.returncode == 0 and "-root" in shown.stdout, "-help: %d, %r" % (shown.returncode, shown.stdout))
    bad = [["--frobnicate"], ["-root", "extra"], ["--speed", "101"], ["--speed", "-1"], ["--speed", "fast"],
           ["--delay", "-5"], ["--delay", "soon"], ["--window-id", "0xZZ"], ["--window-id"], ["--camera-mode"],
           ["--speed"]]
    for arguments in bad:
        refused = subprocess.run([context.program] + arguments, env=context.environment(), capture_output=True,
                                 text=True, timeout=60)
        print("%s: exit code %d" % (" ".join(arguments), refused.returncode))
        check(refused.returncode == 1, "%s: exit code %d, not 1" % (arguments, refused.returncode))
        check("-root" in refused.stderr, "%s: no usage on stderr: %r" % (arguments, refused.stderr))
        check(refused.stdout == "", "%s: wrote on stdout" % arguments)


def case_sanitizer_tour(context):
    """A short tour at the fastest speed with every scene feature on: no sanitizer report."""
    window = context.client.create_window(640, 480, context.client.gl_visual())
    program = context.run("--window-id", hex(window), "--speed", "100", "--night-side", "--no-random-start",
                          "--fps", "-delay", "0")
    context.wait_drawn(program, window, "tour-start")
    time.sleep(TOUR_SECONDS)
    context.wait_drawn(program, window, "tour-end")
    ends_on(context, program, signal.SIGTERM)


CASES = {name[len("case_"):]: value for name, value in dict(globals()).items() if name.startswith("case_")}


def main(arguments):
    name, program, work = arguments[0], os.path.abspath(arguments[1]), os.path.abspath(arguments[2])
    suppressions = os.path.abspath(arguments[3]) if len(arguments) > 3 else None
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    size = "1600x900" if name == "own_window" else "1024x768"
    with xclient.PrivateDisplay(os.path.join(work, "display"), size) as display:
        context = Context(program, work, display, suppressions)
        try:
            CASES[name](context)
            context.finish()
        except Failure as failure:
            print("FAILED: %s" % failure)
            for started in context.started:
                started.stop()
            return 1
    print("passed; pictures and logs in %s" % work)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
