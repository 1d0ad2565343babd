#!/usr/bin/env bash
# Builds what is needed and runs every test: the native unit tests (with address
# and undefined-behaviour sanitizers), short fuzzing runs, the optimised Linux
# program and its tests, and the Windows tests and end-to-end tests under Wine.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
export ZANDOR3D_DEPS=$(bash scripts/setup.sh) || exit 1
jobs=${ZANDOR3D_JOBS:-2}
passed=0
failed=0
status=0
log=$(mktemp)

suite() {
  local preset=$1
  echo "== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
    echo "build of $preset failed"
    status=1
    failed=$((failed + 1))
    return
  fi
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    status=1
  fi
}

echo "== format"
if bash scripts/format.sh --check; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  status=1
fi
suite native
suite fuzz
suite linux
suite windows
rm -f "$log"
echo "suites: $passed passed, $failed failed"
exit "$status"
