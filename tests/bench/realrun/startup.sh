#!/usr/bin/env bash
# Start-up benchmark of the real full-screen run (a command, not a test):
# Zandor3D.scr /s at 1024x768 with RandomCameraStart 0 under Wine + a private Xvfb.
# Prints the time to the first frame, where the start-up time goes (the program's
# own milestones), the time from a key to the process's end, and what a key
# pressed while loading does.
#   tests/bench/realrun/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-6}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
harness="$root/tests/harness"

cmake --build "$build" --target Zandor3D zdriver -j2 >/dev/null

# The real-run benchmark's prefix, so the tests' registry stays at its defaults.
environment="$build/realrun"
trap '"$harness/wine-env.sh" stop "$environment" >/dev/null' EXIT

python3 "$here/startup.py" --env "$environment" --harness "$harness" --runs "$runs" \
  --key "$("$harness/product-key.sh")" \
  --scr "$build/bin/Zandor3D.scr" --driver "$build/bin/zdriver.exe"
