#!/usr/bin/env bash
# Starts or stops the local HTTP server of the update checker's tests; it listens
# on a free port of 127.0.0.1, written to DIR/port, and ends by itself after
# LIFETIME seconds (default 900) if nobody stops it.
#   http-server.sh start|stop DIR [LIFETIME]
set -euo pipefail
action=$1
dir=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

stop() {
  if [ -f "$dir/server.pid" ]; then
    kill "$(cat "$dir/server.pid")" 2>/dev/null || true
    rm -f "$dir/server.pid"
  fi
  rm -f "$dir/port"
}

start() {
  stop
  mkdir -p "$dir/root"
  setsid /usr/bin/python3 "$here/http_server.py" "$dir" "${3:-900}" </dev/null >"$dir/server.log" 2>&1 &
  echo $! > "$dir/server.pid"
  for _ in $(seq 100); do [ -s "$dir/port" ] && break; sleep 0.05; done
  [ -s "$dir/port" ] || { echo "http server did not start" >&2; stop; exit 1; }
  echo "http server on 127.0.0.1:$(cat "$dir/port")"
}

case "$action" in
  start) start "$@" ;;
  stop) stop; echo "http server stopped" ;;
  *) echo "usage: $0 start|stop DIR [LIFETIME]" >&2; exit 2 ;;
esac
