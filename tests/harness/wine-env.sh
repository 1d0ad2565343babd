#!/usr/bin/env bash
# Starts or stops the private Wine environment of one build folder: a prefix made
# once and reused, a private display and a persistent wineserver.
#   wine-env.sh start DIR [two-monitors TEMPLATE_DIR]
#   wine-env.sh stop DIR
# The display is an Xvfb of one 1024x768 monitor, or with "two-monitors" an Xorg
# with the dummy driver and two monitors side by side: 1024x768 (primary) and
# 800x600 right of it (Xorg runs as root only). Wine's desktop process takes the
# monitors of the display it first meets, so that display gets a server and a
# prefix of its own: a copy of TEMPLATE_DIR's prepared prefix, removed on stop.
set -euo pipefail
action=$1
dir=$2
kind=${3:-xvfb}
template=${4:-}
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

copy_prefix() {
  if [ ! -f "$template/prefix/.ready" ]; then
    echo "no prepared prefix in $template" >&2
    return 1
  fi
  rm -rf "$WINEPREFIX"
  cp -a "$template/prefix" "$WINEPREFIX"
  touch "$WINEPREFIX/.copy"
}

wait_for_display() {
  for _ in $(seq 200); do [ -e "/tmp/.X11-unix/X$1" ] && return 0; sleep 0.05; done
  echo "display :$1 did not come up (see $dir/display.log)" >&2
  return 1
}

# Xvfb picks a free display itself and writes its number once it listens, so
# harnesses that start together never meet on one display.
start_xvfb() {
  local numbers="$dir/display.number"
  : > "$numbers"
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 +extension GLX -nolisten tcp 3>"$numbers" \
    >"$dir/display.log" 2>&1 < /dev/null &
  echo $! > "$dir/display.pid"
  for _ in $(seq 200); do
    if [ "$(wc -l < "$numbers")" -ge 1 ]; then
      n=$(head -n 1 "$numbers")
      return 0
    fi
    sleep 0.05
  done
  echo "Xvfb did not start (see $dir/display.log)" >&2
  return 1
}

# The server reads our configuration, not the machine's (a folder of our own
# stands in for the one under /etc; only the packages' defaults are read besides),
# and logs into the build folder.
start_two_monitors() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "the two-monitor display needs root (Xorg)" >&2
    return 1
  fi
  mkdir -p "$dir/xorg.conf.d"
  echo "# Stands in for the system's configuration folder." > "$dir/xorg.conf.d/none.conf"
  setsid Xorg ":$1" -config "$here/xorg-two-monitors.conf" -configdir "$dir/xorg.conf.d" \
    -logfile "$dir/xorg.log" -noreset -nolisten tcp -novtswitch -sharevts >"$dir/display.log" 2>&1 < /dev/null &
  echo $! > "$dir/display.pid"
  wait_for_display "$1"
  local randr=(env DISPLAY=":$1" xrandr)
  "${randr[@]}" --newmode 800x600_60 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
  "${randr[@]}" --addmode DUMMY1 800x600_60
  "${randr[@]}" --output DUMMY1 --mode 800x600_60 --right-of DUMMY0
  if ! "${randr[@]}" --listmonitors | grep -q '^Monitors: 2$'; then
    echo "display :$1 did not get two monitors" >&2
    return 1
  fi
}

start() {
  stop_quietly
  wine_environment
  local n
  case "$kind" in
    xvfb)
      (flock 9; make_prefix) 9>"$dir/.prefix-lock"
      start_xvfb ;;
    two-monitors)
      copy_prefix
      n=$(free_display)
      start_two_monitors "$n" ;;
    *) echo "unknown display kind: $kind" >&2; return 2 ;;
  esac
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
  local pid
  for pid in "$dir/display.pid" "$dir/xvfb.pid"; do
    if [ -f "$pid" ]; then
      kill "$(cat "$pid")" 2>/dev/null || true
      rm -f "$pid"
    fi
  done
  if [ -f "$WINEPREFIX/.copy" ]; then rm -rf "$WINEPREFIX"; fi
  rm -f "$dir/env"
}

case "$action" in
  start) start ;;
  stop) stop_quietly; echo "wine environment stopped" ;;
  *) echo "usage: $0 start DIR [two-monitors TEMPLATE_DIR] | stop DIR" >&2; exit 2 ;;
esac
