#!/usr/bin/env bash
# Builds what is needed and runs the screensaver full screen under Wine: in the
# current X display when there is one, otherwise in a private Xvfb for about thirty
# seconds, saving a screenshot whose path it prints. The run starts the tour at its
# fixed beginning (RandomCameraStart 0 in the run's private prefix): the camera flies
# in toward the sunlit side, and after thirty seconds the ringed planet fills the
# middle of the picture.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
export ZANDOR3D_DEPS=$(bash scripts/setup.sh)
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 >/dev/null
bin="$repo/build/windows/bin"
harness="$repo/tests/harness"
wine_dir="$repo/build/windows/wine-show"

fixed_start() {
  "$harness/wine-run.sh" "$wine_dir" reg add "$("$harness/product-key.sh")" /v RandomCameraStart /t REG_DWORD \
    /d 0 /f >/dev/null 2>&1
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  mkdir -p "$wine_dir"
  fixed_start
  exec "$harness/wine-run.sh" "$wine_dir" "$bin/Zandor3D.scr" /s
fi

seconds=${ZANDOR3D_RUN_SECONDS:-30}
shot="$repo/build/windows/screenshot.png"
"$harness/wine-env.sh" start "$wine_dir" >/dev/null
trap '"$harness/wine-env.sh" stop "$wine_dir" >/dev/null' EXIT
. "$wine_dir/env"
fixed_start
"$harness/wine-run.sh" "$wine_dir" "$bin/Zandor3D.scr" /s &
saver=$!
sleep "$seconds"
import -display "$DISPLAY" -window root "$shot"
"$harness/wine-run.sh" "$wine_dir" "$bin/zdriver.exe" press-key
status=0
wait "$saver" || status=$?
echo "screensaver ended with exit code $status after ${seconds}s; screenshot: $shot"
exit "$status"
