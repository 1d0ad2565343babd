#!/usr/bin/env bash
# Runs a Windows test program in a fresh Wine prefix of its own: a copy of the
# harness's prepared prefix, with its own display and wineserver.
#   run.sh HARNESS_DIR WORK_DIR PROGRAM [ARGS...]
set -euo pipefail
harness=$1
work=$2
shift 2
harness_scripts=$(cd "$(dirname "$0")/../harness" && pwd)
"$harness_scripts/wine-env.sh" stop "$work" >/dev/null
rm -rf "$work/prefix"
cp -a "$harness/prefix" "$work/prefix"
# The copy goes when the run ends: it is as large as the prefix.
trap '"$harness_scripts/wine-env.sh" stop "$work" >/dev/null; rm -rf "$work/prefix"' EXIT
"$harness_scripts/wine-env.sh" start "$work" >/dev/null
"$harness_scripts/wine-run.sh" "$work" "$@"
