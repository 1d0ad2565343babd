"""The program started by the real screensaver clients on a private Xvfb.

  real_client_test.py xscreensaver PROGRAM WORK_FOLDER [SUPPRESSIONS]
      Debian's xscreensaver daemon, with a private HOME whose .xscreensaver lists
      only "GL: PROGRAM --root": xscreensaver-command -activate starts the program
      and the daemon's window shows the planet; -deactivate ends it. The daemon
      refuses to launch hacks as root, so it runs as nobody when we are root.
  real_client_test.py xsecurelock PROGRAM WORK_FOLDER [SUPPRESSIONS]
      xsecurelock with XSECURELOCK_SAVER=PROGRAM: its saver runner starts the
      program as "PROGRAM -root" with XSCREENSAVER_WINDOW in decimal and the
      screen shows the planet; ending the locker ends the program.

The program's standard error lands in the client's log, which must hold no
sanitizer report.
"""
import os
import pwd
import shutil
import subprocess
import sys
import time

import xclient

START_LIMIT = 30.0
PICTURE_LIMIT = 60.0
END_LIMIT = 15.0
LIT_SHARE = 0.02  # stars alone stay far below; the planet in view is well above
UNPRIVILEGED = "nobody"
SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


def parent_of(pid):
    try:
        with open("/proc/%d/stat" % pid) as stat:
            return int(stat.read().rsplit(")", 1)[1].split()[1])
    except (OSError, ValueError, IndexError):
        return 0


def descends_from(pid, ancestor):
    while pid > 1:
        if pid == ancestor:
            return True
        pid = parent_of(pid)
    return False


def processes_of(program, client):
    """PIDs of the client's descendants whose program is PROGRAM (other tests may run it too)."""
    found = []
    target = os.path.realpath(program)
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                if os.path.realpath("/proc/%s/exe" % entry) == target and descends_from(int(entry), client):
                    found.append(int(entry))
            except OSError:
                pass
    return found


def wait_for(condition, limit, step=0.2):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def environment_of(pid):
    try:
        with open("/proc/%d/environ" % pid, "rb") as data:
            pairs = [item.split(b"=", 1) for item in data.read().split(b"\0") if b"=" in item]
        return {key.decode(): value.decode(errors="replace") for key, value in pairs}
    except OSError:
        return {}


def command_of(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as data:
            return [item.decode(errors="replace") for item in data.read().split(b"\0") if item]
    except OSError:
        return []


def shows_planet(display, window, path):
    def drawn():
        picture = xclient.screenshot(display, window, path)
        return picture.share(xclient.lit) >= LIT_SHARE and picture
    picture = wait_for(drawn, PICTURE_LIMIT, step=1.0)
    if not picture:
        print("no planet on screen within %.0f s (last picture: %s)" % (PICTURE_LIMIT, path))
        return False
    print("picture: %.1f %% of the pixels lit (%s)" % (100 * picture.share(xclient.lit), path))
    return True


def alive(pid, program):
    try:
        return os.path.realpath("/proc/%d/exe" % pid) == os.path.realpath(program)
    except OSError:
        return False


def ended(program, pids, limit):
    """Whether the program's processes the client started are gone within limit seconds."""
    if wait_for(lambda: not any(alive(pid, program) for pid in pids), limit):
        return True
    print("the program still runs %.0f s after the client ended it" % limit)
    return False


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def hack_window(pid):
    """The window the daemon handed the program (its own, with a GL visual); the root shows black under it."""
    return int(environment_of(pid).get("XSCREENSAVER_WINDOW", "0"), 16)


def xscreensaver(program, work, display):
    home = os.path.join(work, "home")
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    with open(os.path.join(home, ".xscreensaver"), "w") as settings:
        settings.write("mode: one\nselected: 0\nfade: False\nunfade: False\nsplash: False\nlock: False\n"
                       "timeout: 600:00:00\nprograms: GL: %s --root --no-random-start \\n\\\n" % program)
    become = []
    if os.getuid() == 0:
        user = pwd.getpwnam(UNPRIVILEGED)
        for folder, _, files in os.walk(work):
            for name in [folder] + [os.path.join(folder, item) for item in files]:
                os.chown(name, user.pw_uid, user.pw_gid)
        become = ["setpriv", "--reuid=%d" % user.pw_uid, "--regid=%d" % user.pw_gid, "--clear-groups"]
    environment = display.environment(HOME=home, XDG_CACHE_HOME=os.path.join(home, "cache"))
    with open(os.path.join(work, "xscreensaver.log"), "w") as log:
        daemon = subprocess.Popen(become + ["xscreensaver", "-no-splash", "-verbose"], env=environment,
                                  stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    command = become + ["xscreensaver-command"]
    try:
        answered = wait_for(lambda: subprocess.run(command + ["-time"], env=environment, capture_output=True)
                            .returncode == 0, START_LIMIT)
        if not answered:
            print("the daemon did not answer (see %s)" % os.path.join(work, "xscreensaver.log"))
            return 1
        subprocess.run(command + ["-activate"], env=environment, check=True, capture_output=True)
        started = wait_for(lambda: processes_of(program, daemon.pid), START_LIMIT)
        if not started:
            print("-activate did not start %s (see %s)" % (program, os.path.join(work, "xscreensaver.log")))
            return 1
        print("started: %s" % " ".join(command_of(started[0])))
        ok = shows_planet(display.name, hack_window(started[0]), os.path.join(work, "xscreensaver.png"))
        subprocess.run(command + ["-deactivate"], env=environment, check=True, capture_output=True)
        return 0 if ended(program, started, END_LIMIT) and ok else 1
    finally:
        stop(daemon)


# The saver as xsecurelock names it takes no options: a script that starts the tour
# from its fixed beginning, where the planet comes into view within seconds, as the
# xscreensaver case does with its programs line.
def fixed_start_saver(program, work):
    path = os.path.join(work, "zandor3d-fixed-start")
    with open(path, "w") as script:
        script.write('#!/bin/sh\nexec "%s" --no-random-start "$@"\n' % program)
    os.chmod(path, 0o755)
    return path


def xsecurelock(program, work, display):
    environment = display.environment(XSECURELOCK_SAVER=fixed_start_saver(program, work), HOME=work)
    with open(os.path.join(work, "xsecurelock.log"), "w") as log:
        locker = subprocess.Popen(["xsecurelock"], env=environment, stdin=subprocess.DEVNULL, stdout=log,
                                  stderr=log, start_new_session=True)
    try:
        started = wait_for(lambda: processes_of(program, locker.pid), START_LIMIT)
        if not started:
            print("xsecurelock did not start %s (see %s)" % (program, os.path.join(work, "xsecurelock.log")))
            return 1
        arguments = command_of(started[0])
        window = environment_of(started[0]).get("XSCREENSAVER_WINDOW", "")
        print("started: %s with XSCREENSAVER_WINDOW=%s" % (" ".join(arguments), window))
        ok = window.isdigit() and "-root" in arguments
        if not ok:
            print("expected a -root start with a decimal XSCREENSAVER_WINDOW")
        client = xclient.Client(display.name)
        ok = shows_planet(display.name, client.root, os.path.join(work, "xsecurelock.png")) and ok
        client.close()
        # SIGTERM is how a session ends the locker; it ends its savers with it.
        locker.terminate()
        locker.wait(END_LIMIT)
        return 0 if ended(program, started, END_LIMIT) and ok else 1
    finally:
        stop(locker)


def sanitizer_report(log):
    with open(log, errors="replace") as text:
        return next((line for line in text if any(mark in line for mark in SANITIZER_REPORTS)), None)


def main(arguments):
    client, program, work = arguments[0], os.path.abspath(arguments[1]), os.path.abspath(arguments[2])
    if len(arguments) > 3:
        os.environ["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=0" % os.path.abspath(arguments[3])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with xclient.PrivateDisplay(os.path.join(work, "display")) as display:
        status = {"xscreensaver": xscreensaver, "xsecurelock": xsecurelock}[client](program, work, display)
    report = sanitizer_report(os.path.join(work, client + ".log"))
    if report:
        print("sanitizer report in %s: %s" % (os.path.join(work, client + ".log"), report.strip()))
        return 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
