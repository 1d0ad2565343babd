#!/usr/bin/env bash
# Benchmark of the real full-screen run (a command, not a test): Zandor3D.scr /s at
# 1024x768 with RandomCameraStart 0 under Wine + a private Xvfb, measured from
# outside. Prints frames per second (median, 10th percentile, minimum), resident
# memory at 30 s and at the end, the time to the first frame, the time from a key
# press to the process's end over several runs, and xscreensaver's glplanet on the
# same display for reference, run before and after each program. Then the native Linux program of LINUX_BUILD_DIR
# (build/linux, the linux preset, by default) the same way: zandor3d -root -delay 0
# full screen, ended by SIGTERM. NATIVE_ONLY=1 skips the Windows program.
#   tests/bench/realrun/run.sh BUILD_DIR [SECONDS] [RUNS] [LINUX_BUILD_DIR]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-120}
runs=${3:-5}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
linux_build=${4:-$root/build/linux}
harness="$root/tests/harness"
glplanet=/usr/libexec/xscreensaver/glplanet

if [ ! -x "$glplanet" ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xscreensaver-gl-extra >/dev/null
fi
cmake --build "$build" --target Zandor3D zdriver -j2 >/dev/null
if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset linux >/dev/null)
fi
cmake --build "$linux_build" --target zandor3d -j2 >/dev/null

# Its own prefix, so the tests' registry stays at its defaults.
environment="$build/realrun"
trap '"$harness/wine-env.sh" stop "$environment" >/dev/null' EXIT

python3 "$here/realrun.py" --env "$environment" --harness "$harness" --seconds "$seconds" --repeats "$runs" \
  --key "$("$harness/product-key.sh")" \
  --scr "$build/bin/Zandor3D.scr" --driver "$build/bin/zdriver.exe" --glplanet "$glplanet" \
  --native "$linux_build/x11/zandor3d" ${NATIVE_ONLY:+--native-only}
