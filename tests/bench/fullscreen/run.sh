#!/usr/bin/env bash
# Builds and runs the full-screen frame-rate benchmark under Wine + Xvfb, in the
# private Wine environment of a Windows build folder.
#   tests/bench/fullscreen/run.sh BUILD_DIR [FRAMES]
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-300}
here=$(cd "$(dirname "$0")" && pwd)
harness="$here/../../harness"
cmake --build "$build" --target fullscreen_bench -j2 >/dev/null
"$harness/wine-env.sh" start "$build/wine" >/dev/null
trap '"$harness/wine-env.sh" stop "$build/wine" >/dev/null' EXIT
bench=$(find "$build" -name fullscreen_bench.exe | head -n1)
timeout 600 "$harness/wine-run.sh" "$build/wine" "$bench" "$frames" 2>/dev/null
