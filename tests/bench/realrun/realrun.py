"""Measures the real full-screen run from outside; run.sh prepares what it needs.

Frame rates come from Mesa's HUD dump (one fps figure per line, one line per
half second or per frame when frames are slower), the first frame from the HUD's
frame-time dump, resident memory from /proc, and the end of the process from
waiting on it: each Wine program started here is the very process that runs the
Windows program (the launch scripts exec into it).
"""
import argparse
import os
import signal
import statistics
import subprocess
import tempfile
import time

POLL_SECONDS = 0.005
SETTLE_SECONDS = 2.0
CLOSE_LIMIT_SECONDS = 60.0
GLPLANET_ARGUMENTS = ["-mode", "globe", "-delay", "0", "-geometry", "1024x768+0+0"]


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

    def native(self, program, *args, hud):
        environment = dict(os.environ, DISPLAY=self.display, GALLIUM_HUD="fps", GALLIUM_HUD_DUMP_DIR=hud)
        return subprocess.Popen([program, *args], env=environment, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)


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
        self.started = time.monotonic()
        self.process = environment.wine(environment.options.scr, "/s", hud=hud, channels=channels)
        self.first_frame = None
        self.warned = False

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
        pressed = time.monotonic()
        try:
            self.process.wait(CLOSE_LIMIT_SECONDS)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None
        return time.monotonic() - pressed


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


def main():
    options = arguments()
    environment = Environment(options)
    environment.start()
    work = tempfile.mkdtemp(prefix="zandor-realrun-")

    print("Zandor3D.scr /s, 1024x768, RandomCameraStart 0, first %.0f s of the tour" % options.seconds)
    run = Run(environment, os.path.join(work, "run"))
    os.mkdir(run.hud)
    early = min(30.0, options.seconds / 2)
    late = options.seconds - 0.5
    memory = run.watch_until(options.seconds, (early, late))
    rates = figures(os.path.join(run.hud, "fps"))
    closings = [run.close_by_key()] if run.process.poll() is None else []
    first_frames = [run.first_frame]
    warned = [run.warned]

    for index in range(1, options.repeats):
        if None in closings[-1:]:
            environment.start()  # a killed run leaves its single-instance atom behind
        repeat = Run(environment, os.path.join(work, "repeat%d" % index))
        os.mkdir(repeat.hud)
        repeat.wait_first_frame(CLOSE_LIMIT_SECONDS)
        first_frames.append(repeat.first_frame)
        repeat.watch_until(repeat.elapsed() + SETTLE_SECONDS)
        if repeat.process.poll() is None:
            closings.append(repeat.close_by_key())
        warned.append(repeat.warned)

    median = show_rates("frames/s", rates)
    print("resident memory: %s at %.0f s, %s at %.0f s"
          % (show_mib(memory.get(early)), early, show_mib(memory.get(late)), options.seconds))
    drawn = [value for value in first_frames if value is not None]
    print("first frame (end of its buffer swap, from the launch): %s"
          % (", ".join("%.2f s" % value for value in drawn) if drawn else "none drawn"))
    if any(warned):
        print("note: the slow-renderer warning (frames 6 to 15 over 3 s) came up in %d of %d runs; a first key "
              "dismissed it, the timed key followed" % (sum(warned), len(warned)))
    print("key press to process end (%d runs, the first after %.0f s, the others %.0f s after the first frame): %s"
          % (len(closings), options.seconds, SETTLE_SECONDS,
             ", ".join("%.2f s" % value if value is not None else "> %.0f s" % CLOSE_LIMIT_SECONDS
                       for value in closings)))

    reference_hud = os.path.join(work, "glplanet")
    os.mkdir(reference_hud)
    reference = environment.native(options.glplanet, *GLPLANET_ARGUMENTS, hud=reference_hud)
    time.sleep(options.glplanet_seconds)
    reference.send_signal(signal.SIGTERM)
    reference.wait()
    reference_median = show_rates("glplanet -mode globe -delay 0, same display, %.0f s"
                                  % options.glplanet_seconds, figures(os.path.join(reference_hud, "fps")))
    if median and reference_median:
        print("ratio of medians, Zandor 3D / glplanet: %.2f" % (median / reference_median))


if __name__ == "__main__":
    main()
