#!/usr/bin/env bash
# Runs a Windows program inside the private Wine environment of a build folder.
#   wine-run.sh DIR PROGRAM [ARGS...]
# Wine's debug output is off; ZANDOR3D_WINE_CHANNELS (say "+debugstr") turns the
# named channels on for one run.
set -euo pipefail
mkdir -p "$1"
dir=$(cd "$1" && pwd)
shift
export WINEPREFIX="$dir/prefix" WINEDEBUG="-all${ZANDOR3D_WINE_CHANNELS:+,$ZANDOR3D_WINE_CHANNELS}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="$dir/home" XDG_CACHE_HOME="$dir/cache"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
mkdir -p "$HOME" "$XDG_CACHE_HOME"
[ -f "$dir/env" ] && . "$dir/env"
exec wine "$@"
