"""Runs a command on a private Xvfb of its own and returns its exit code.

  with_display.py WORK_FOLDER COMMAND...
"""
import subprocess
import sys

import xclient


def main(arguments):
    with xclient.PrivateDisplay(arguments[0]) as display:
        return subprocess.run(arguments[1:], env=display.environment()).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
