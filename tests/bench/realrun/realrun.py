"""Measures the real full-screen run from outside; run.sh prepares what it needs.

Frame rates come from Mesa's HUD dump (one fps figure per line, one line per
half second or per frame when frames are slower), the first frame from the HUD's
frame-time dump, resident memory from /proc, and the end of the process from
waiting on it: each Wine program started here is the very process that runs the
Windows program (the launch scripts exec into it). The native Linux program runs
the same way on the same display: full screen on the root window, ended by SIGTERM
as xscreensaver ends it.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import tempfile
import time

POLL_SECONDS = 0.005
SETTLE_SECONDS = 2.0
CLOSE_LIMIT_SECONDS = 60.0
GLPLANET_ARGUMENTS = ["-mode", "globe", "-delay", "0", "-geometry", "1024x768+0+0"]
# The tour from its fixed start, as RandomCameraStart 0 gives the Windows program.
NATIVE_ARGUMENTS = ["-root", "-delay", "0", "--no-random-start"]


def run_arguments():
    """The options every measurement of the real run takes."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--env", required=True, help="the Wine environment folder")
    parser.add_argument("--harness", required=True)
    parser.add_argument("--key", required=True, help="the product's registry key")
    parser.add_argument("--scr", required=True)
    parser.add_argument("--driver", required=True)
    return parser


def arguments():
    parser = run_arguments()
    parser.add_argument("--glplanet", required=True)
    parser.add_argument("--native", help="the Linux program, measured after the Windows one")
    parser.add_argument("--native-only", action="store_true", help="skip the Windows program")
    parser.add_argument("--seconds", type=float, default=120.0)
    parser.add_argument("--glplanet-seconds", type=float, default=20.0)
    parser.add_argument("--repeats", type=int, default=5)
    return parser.parse_args()


class Environment:
    def __init__(self, options):
        self.options = options
        self.display = None

    def start(self):
        subprocess.run([os.path.join(self.options.harness, "wine-env.sh"), "start", self.options.env],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(os.path.join(self.options.env, "env")) as lines:
            self.display = lines.read().strip().split("=", 1)[1]
        self.wine("reg", "add", self.options.key, "/v", "RandomCameraStart", "/t", "REG_DWORD", "/d", "0",
                  "/f").wait()

    # With channels (Wine debug channels such as "+debugstr") the program's standard
    # error stream, where Wine writes that output, is a pipe to read.
    def wine(self, program, *args, hud=None, output=subprocess.DEVNULL, channels=None):
        environment = dict(os.environ)
        if hud:
            environment.update(GALLIUM_HUD="fps,frametime", GALLIUM_HUD_DUMP_DIR=hud)
        if channels:
            environment.update(ZANDOR3D_WINE_CHANNELS=channels)
        return subprocess.Popen([os.path.join(self.options.harness, "wine-run.sh"), self.options.env, program, *args],
                                env=environment, stdin=subprocess.DEVNULL, stdout=output,
                                stderr=subprocess.PIPE if channels else subprocess.DEVNULL, start_new_session=True)

    def window_titles(self):
        driver = self.wine(self.options.driver, "window-titles", output=subprocess.PIPE)
        return driver.communicate()[0].decode(errors="replace").splitlines()

    def press_key(self):
        self.wine(self.options.driver, "press-key").wait()

    # What the program writes on stderr goes to HUD/stderr, to show when it ends early.
    def native(self, program, *args, hud, frame_times=False):
        environment = dict(os.environ, DISPLAY=self.display, GALLIUM_HUD="fps,frametime" if frame_times else "fps",
                           GALLIUM_HUD_DUMP_DIR=hud)
        environment.pop("XSCREENSAVER_WINDOW", None)
        with open(os.path.join(hud, "stderr"), "wb") as log:
            return subprocess.Popen([program, *args], env=environment, stdin=subprocess.DEVNULL,
                                    stdout=subprocess.DEVNULL, stderr=log, start_new_session=True)


def figures(path):
    try:
        with open(path) as lines:
            return [float(line) for line in lines.read().split("\n")[:-1] if line.strip()]
    except (OSError, ValueError):
        return []


def frame_time_file(hud):
    for name in os.listdir(hud):
        if name.startswith("frametime"):
            return os.path.join(hud, name)
    return None


def resident_mib(pid):
    try:
        with open("/proc/%d/status" % pid) as lines:
            for line in lines:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024.0
    except OSError:
        pass
    return None


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


class Run:
    """One full-screen run: started, watched until a deadline, ended by a key."""

    def __init__(self, environment, hud, channels=None):
        self.environment = environment
        self.hud = hud
        self.channels = channels
        os.makedirs(hud, exist_ok=True)
        self.started = time.monotonic()
        self.process = self.launch()
        self.first_frame = None
        self.warned = False

    def launch(self):
        return self.environment.wine(self.environment.options.scr, "/s", hud=self.hud, channels=self.channels)

    def elapsed(self):
        return time.monotonic() - self.started

    # The first frame ends with its buffer swap; the HUD writes the first frame time
    # at the second swap, so the first swap came that many milliseconds earlier.
    def watch_first_frame(self):
        if self.first_frame is not None:
            return
        path = frame_time_file(self.hud)
        values = figures(path) if path else []
        if values:
            self.first_frame = self.elapsed() - values[0] / 1000.0

    def wait_first_frame(self, limit):
        while self.first_frame is None and self.process.poll() is None and self.elapsed() < limit:
            self.watch_first_frame()
            time.sleep(POLL_SECONDS)

    def watch_until(self, seconds, samples=()):
        taken = {}
        while self.elapsed() < seconds and self.process.poll() is None:
            self.watch_first_frame()
            for at in samples:
                if at not in taken and self.elapsed() >= at:
                    taken[at] = resident_mib(self.process.pid)
            time.sleep(POLL_SECONDS if self.first_frame is None else 0.1)
        return taken

    def close_by_key(self):
        """Seconds from the key press to the process's end; None when it did not end."""
        # The program's slow-renderer warning is the one window titled with its name;
        # a key only dismisses it, so it is noted and dismissed before the timed key.
        title = os.path.splitext(os.path.basename(self.environment.options.scr))[0]
        if title in self.environment.window_titles():
            self.warned = True
            self.environment.press_key()
            time.sleep(SETTLE_SECONDS)
        self.environment.press_key()
        return self.seconds_to_end(time.monotonic())

    def seconds_to_end(self, since):
        """Seconds from since to the process's end; None when it did not end (it is then killed)."""
        try:
            self.process.wait(CLOSE_LIMIT_SECONDS)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None
        return time.monotonic() - since


class NativeRun(Run):
    """The Linux program full screen on the root window, as xscreensaver starts it."""

    def launch(self):
        return self.environment.native(self.environment.options.native, *NATIVE_ARGUMENTS, hud=self.hud,
                                       frame_times=True)

    def close_by_signal(self):
        """Seconds from SIGTERM to the process's end; None when it did not end."""
        self.process.send_signal(signal.SIGTERM)
        return self.seconds_to_end(time.monotonic())


def show_stderr(hud):
    try:
        with open(os.path.join(hud, "stderr"), errors="replace") as lines:
            text = lines.read().strip()
    except OSError:
        return
    if text:
        print("  its stderr: " + text.replace("\n", "\n  "))


def show_rates(name, values):
    if not values:
        print("%s: no frame-rate figures" % name)
        return None
    median = statistics.median(values)
    print("%s: median %.1f, 10th percentile %.1f, minimum %.2f frames/s (%d figures)"
          % (name, median, percentile(values, 0.10), min(values), len(values)))
    return median


def show_mib(value):
    return "%.1f MiB" % value if value is not None else "n/a"


def show_seconds(values, limit):
    return ", ".join("%.3f s" % value if value is not None else "> %.0f s" % limit for value in values)


def measure(environment, work, name, kind, close):
    """One long run for the rates and memory, then short repeats for the first frame and the closing."""
    options = environment.options
    run = kind(environment, os.path.join(work, name))
    early = min(30.0, options.seconds / 2)
    late = options.seconds - 0.5
    memory = run.watch_until(options.seconds, (early, late))
    rates = figures(os.path.join(run.hud, "fps"))
    if run.process.poll() is not None:
        print("note: the program ended by itself after %.1f s, exit status %d" % (run.elapsed(), run.process.returncode))
        show_stderr(run.hud)
    closings = [close(run)] if run.process.poll() is None else []
    first_frames = [run.first_frame]
    warned = [run.warned]
    for index in range(1, options.repeats):
        if None in closings[-1:]:
            environment.start()  # a killed run leaves its single-instance atom behind
        repeat = kind(environment, os.path.join(work, "%s-repeat%d" % (name, index)))
        repeat.wait_first_frame(CLOSE_LIMIT_SECONDS)
        first_frames.append(repeat.first_frame)
        repeat.watch_until(repeat.elapsed() + SETTLE_SECONDS)
        if repeat.process.poll() is None:
            closings.append(close(repeat))
        warned.append(repeat.warned)
    return {"rates": rates, "memory": memory, "early": early, "late": late, "closings": closings,
            "first_frames": first_frames, "warned": warned}


def show_common(options, result):
    median = show_rates("frames/s", result["rates"])
    print("resident memory: %s at %.0f s, %s at %.0f s"
          % (show_mib(result["memory"].get(result["early"])), result["early"],
             show_mib(result["memory"].get(result["late"])), options.seconds))
    drawn = [value for value in result["first_frames"] if value is not None]
    print("first frame (end of its buffer swap, from the launch): %s"
          % (", ".join("%.2f s" % value for value in drawn) if drawn else "none drawn"))
    return median


def measure_windows(environment, work):
    options = environment.options
    print("Zandor3D.scr /s, 1024x768, RandomCameraStart 0, first %.0f s of the tour" % options.seconds)
    result = measure(environment, work, "run", Run, Run.close_by_key)
    median = show_common(options, result)
    warned = result["warned"]
    if any(warned):
        print("note: the slow-renderer warning (frames 6 to 15 over 3 s) came up in %d of %d runs; a first key "
              "dismissed it, the timed key followed" % (sum(warned), len(warned)))
    print("key press to process end (%d runs, the first after %.0f s, the others %.0f s after the first frame): %s"
          % (len(result["closings"]), options.seconds, SETTLE_SECONDS,
             show_seconds(result["closings"], CLOSE_LIMIT_SECONDS)))
    return median, None


def measure_native(environment, work):
    options = environment.options
    print("zandor3d %s, full screen 1024x768, first %.0f s of the tour"
          % (" ".join(NATIVE_ARGUMENTS), options.seconds))
    result = measure(environment, work, "native", NativeRun, NativeRun.close_by_signal)
    median = show_common(options, result)
    memory = result["memory"]
    if memory.get(result["early"]) is not None and memory.get(result["late"]) is not None:
        print("resident memory growth from %.0f s to %.0f s: %.1f MiB"
              % (result["early"], options.seconds, memory[result["late"]] - memory[result["early"]]))
    print("SIGTERM to process end (%d runs, the first after %.0f s, the others %.0f s after the first frame): %s"
          % (len(result["closings"]), options.seconds, SETTLE_SECONDS,
             show_seconds(result["closings"], CLOSE_LIMIT_SECONDS)))
    rates = result["rates"]
    return median, percentile(rates, 0.10) if rates else None


def main():
    options = arguments()
    environment = Environment(options)
    environment.start()
    work = tempfile.mkdtemp(prefix="zandor-realrun-")
    try:
        measure_all(environment, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def measure_reference(environment, work, index):
    """glplanet's frame rates over a short run on the same display."""
    options = environment.options
    hud = os.path.join(work, "glplanet%d" % index)
    os.mkdir(hud)
    reference = environment.native(options.glplanet, *GLPLANET_ARGUMENTS, hud=hud)
    time.sleep(options.glplanet_seconds)
    reference.send_signal(signal.SIGTERM)
    reference.wait()
    rates = figures(os.path.join(hud, "fps"))
    show_rates("glplanet -mode globe -delay 0, same display, %.0f s (%s)"
               % (options.glplanet_seconds, "before" if index == 0 else "after"), rates)
    return rates


# The machine's speed drifts over minutes, so glplanet runs just before and just after
# each program, and each program is compared with the two runs around it.
def measure_all(environment, work):
    options = environment.options
    programs = []
    if not options.native_only:
        programs.append(("Zandor 3D under Wine", measure_windows))
    if options.native:
        programs.append(("zandor3d (native)", measure_native))
    before = measure_reference(environment, work, 0)
    for index, (name, measure_program) in enumerate(programs):
        median, tenth = measure_program(environment, work)
        after = measure_reference(environment, work, index + 1)
        reference_median = statistics.median(before + after) if before + after else None
        if reference_median:
            print("glplanet's median over the runs before and after: %.1f" % reference_median)
        if median and reference_median:
            print("ratio of medians, %s / glplanet: %.2f" % (name, median / reference_median))
        if tenth and reference_median:
            print("10th percentile of %s / glplanet's median: %.2f" % (name, tenth / reference_median))
        before = after


if __name__ == "__main__":
    main()
