#!/usr/bin/env bash
# Starts or stops the private Wine environment of one build folder: a prefix made
# once and reused, a private Xvfb display and a persistent wineserver.
#   wine-env.sh start|stop DIR
set -euo pipefail
action=$1
dir=$2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

wine_environment() {
  export WINEPREFIX="$dir/prefix" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export HOME="$dir/home" XDG_CACHE_HOME="$dir/cache"
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
  mkdir -p "$HOME" "$XDG_CACHE_HOME"
}

make_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # No crash dialog may wait for a click during a test run.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.ready"
}

free_display() {
  local n
  for n in $(seq 140 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then echo "$n"; return 0; fi
  done
  return 1
}

start() {
  stop_quietly
  wine_environment
  (flock 9; make_prefix) 9>"$dir/.prefix-lock"
  local n; n=$(free_display)
  setsid Xvfb ":$n" -screen 0 1024x768x24 +extension GLX -nolisten tcp >"$dir/xvfb.log" 2>&1 < /dev/null &
  echo $! > "$dir/xvfb.pid"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  echo "export DISPLAY=:$n" > "$dir/env"
  export DISPLAY=":$n"
  wineserver -p >/dev/null 2>&1 < /dev/null
  # Wine's own service processes start with the first program and live as long as
  # the server: let them inherit no test's output pipes.
  wine cmd.exe /c exit >/dev/null 2>&1 < /dev/null
  echo "wine environment ready on display :$n"
}

stop_quietly() {
  wine_environment
  wineserver -k >/dev/null 2>&1 || true
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/env"
}

case "$action" in
  start) start ;;
  stop) stop_quietly; echo "wine environment stopped" ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
