"""Where the first seconds of the real run go; startup.sh prepares what it needs.

The program marks its start-up milestones with debug strings ("Zandor3D startup:
PHASE", each sent when that phase is over); Wine's debugstr channel writes them to
the program's standard error stream, where each is timed from the launch as it
arrives. The first frame (the end of its buffer swap) comes from Mesa's HUD, as in
realrun.py. A second series presses a key while the program is still loading and
times the end of the process.
"""
import os
import statistics
import subprocess
import tempfile
import threading
import time

import realrun

CHANNELS = "+debugstr"
MARK = 'OutputDebugStringA "Zandor3D startup: '
# The milestone after which a run loads its scene: the window exists, the context comes next.
LOADING_STARTED = "pack"
CLOSE_LIMIT_SECONDS = 60.0
# Keys during loading come this much later from one run to the next.
KEY_STEP_SECONDS = 0.03


def arguments():
    parser = realrun.run_arguments()
    parser.add_argument("--runs", type=int, default=6)
    parser.add_argument("--key-runs", type=int, default=None, help="runs with a key while loading; --runs by default")
    parser.add_argument("--loading-after", type=float, default=None,
                        help="for a program that marks nothing: seconds from the launch when it loads")
    return parser.parse_args()


class StartupMarks:
    """The milestones of one run as (phase, seconds from the launch), in arrival order."""

    def __init__(self, run):
        self.marks = []
        self.thread = threading.Thread(target=self.read, args=(run.process.stderr, run.started), daemon=True)
        self.thread.start()

    def read(self, stream, started):
        for line in iter(stream.readline, b""):
            text = line.decode(errors="replace")
            at = text.find(MARK)
            if at >= 0:
                phase = text[at + len(MARK):].rstrip().rstrip('"')
                if phase.endswith("\\n"):
                    phase = phase[:-2]
                self.marks.append((phase, time.monotonic() - started))

    def seen(self, phase):
        return any(name == phase for name, _ in self.marks)

    def finish(self):
        self.thread.join(5.0)
        return list(self.marks)


def spread(values):
    return "%.2f s (%.2f-%.2f)" % (statistics.median(values), min(values), max(values))


def show_breakdown(runs):
    order = []
    for marks in runs:
        for phase, _ in marks:
            if phase not in order:
                order.append(phase)
    print("start-up breakdown (%d runs; median and range, seconds):" % len(runs))
    print("  %-14s %-22s %s" % ("phase", "over at (from launch)", "took"))
    for phase in order:
        ends, lengths = [], []
        for marks in runs:
            previous = 0.0
            for name, at in marks:
                if name == phase:
                    ends.append(at)
                    lengths.append(at - previous)
                    break
                previous = at
        if ends:
            print("  %-14s %-22s %s" % (phase, spread(ends), spread(lengths)))


def ordinary_runs(environment, work, count):
    """Runs left alone until their first frame, then ended by a key; their marks and first frames."""
    runs, first_frames, closings = [], [], []
    for index in range(count):
        run = realrun.Run(environment, os.path.join(work, "run%d" % index), channels=CHANNELS)
        marks = StartupMarks(run)
        run.wait_first_frame(CLOSE_LIMIT_SECONDS)
        run.watch_until(run.elapsed() + realrun.SETTLE_SECONDS)
        closing = run.close_by_key() if run.process.poll() is None else None
        closings.append(closing)
        if closing is None:
            environment.start()  # a killed run leaves its single-instance atom behind
        if run.first_frame is not None:
            first_frames.append(run.first_frame)
        runs.append(marks.finish())
    return runs, first_frames, closings


class KeyPresser:
    """The driver, started beforehand, pressing a key at a word: the key lands within
    milliseconds instead of after a Wine program's start."""

    def __init__(self, options):
        self.process = subprocess.Popen([os.path.join(options.harness, "wine-run.sh"), options.env, options.driver,
                                         "press-key-per-line"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        self.process.stdout.readline()  # "ready"

    def press(self):
        self.process.stdin.write(b"\n")
        self.process.stdin.flush()
        self.process.stdout.readline()  # "pressed"

    def close(self):
        self.process.stdin.close()
        self.process.wait()


def key_during_loading(environment, work, delay, loading_after):
    """Presses a key delay seconds after loading began; the run's marks and (pressed, ended,
    first frame) from the launch."""
    presser = KeyPresser(environment.options)
    run = realrun.Run(environment, work, channels=CHANNELS)
    marks = StartupMarks(run)
    limit = loading_after if loading_after is not None else CLOSE_LIMIT_SECONDS
    while not marks.seen(LOADING_STARTED) and run.process.poll() is None and run.elapsed() < limit:
        time.sleep(realrun.POLL_SECONDS)
    time.sleep(delay)
    presser.press()
    pressed = run.elapsed()
    presser.close()
    try:
        run.process.wait(CLOSE_LIMIT_SECONDS)
    except subprocess.TimeoutExpired:
        run.process.kill()
        run.process.wait()
        environment.start()
        return marks.finish(), (pressed, None, None)
    ended = run.elapsed()
    run.watch_first_frame()
    return marks.finish(), (pressed, ended, run.first_frame)


def main():
    options = arguments()
    environment = realrun.Environment(options)
    environment.start()
    work = tempfile.mkdtemp(prefix="zandor-startup-")

    print("Zandor3D.scr /s, 1024x768, RandomCameraStart 0: the first seconds, %d runs" % options.runs)
    runs, first_frames, closings = ordinary_runs(environment, work, options.runs)
    if first_frames:
        print("first frame (end of its buffer swap, from the launch): %s; each: %s"
              % (spread(first_frames), ", ".join("%.2f" % value for value in first_frames)))
    show_breakdown(runs)
    print("key press to process end, once running: %s"
          % ", ".join("%.2f s" % value if value is not None else "none" for value in closings))

    typical = statistics.median(first_frames) if first_frames else None
    print("a key pressed while loading, %.2f s later from one run to the next after \"%s\" (seconds from the "
          "launch; the run's own last milestones before the end):" % (KEY_STEP_SECONDS, LOADING_STARTED))
    for index in range(options.runs if options.key_runs is None else options.key_runs):
        marks, (pressed, ended, drawn) = key_during_loading(environment, os.path.join(work, "key%d" % index),
                                                            index * KEY_STEP_SECONDS, options.loading_after)
        seen = ", ".join("%s %.2f" % mark for mark in marks[-3:])
        if ended is None:
            print("  pressed at %.2f: the run did not end within %.0f s [%s]" % (pressed, CLOSE_LIMIT_SECONDS, seen))
            continue
        after = ", %+.2f s from the median first frame" % (ended - typical) if typical is not None else ""
        print("  pressed at %.2f, ended at %.2f%s, %s [%s]"
              % (pressed, ended, after, "a frame was drawn" if drawn is not None else "no frame drawn", seen))


if __name__ == "__main__":
    main()
