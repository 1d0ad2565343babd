#!/usr/bin/env bash
# Times the native scene pass by pass (a command, not a test) on a private Xvfb, with
# the optimised build (the linux preset, build/linux by default).
#   tests/bench/scenetiming/run.sh [SECONDS [STEP]] [--each]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${LINUX_BUILD_DIR:-$root/build/linux}
if [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset linux >/dev/null)
fi
cmake --build "$build" --target scene_timing -j2 >/dev/null
mkdir -p "$build/scene-timing"
python3 "$root/tests/linux/with_display.py" "$build/scene-timing" "$build/tests/bench/scenetiming/scene_timing" \
  "$build/tools/out/Zandor3D.pack" "$@"
