#!/usr/bin/env bash
# Runs a test program on a private Xorg server with the dummy driver and several modes, so mode
# switches really happen. Exits 77 (CTest's skip) only when Xorg cannot start, and says so.
# usage: run_on_xorg_dummy.sh XORG_CONF PROGRAM [ARGS...]
set -uo pipefail
conf=$1
shift
xorg=$(command -v Xorg || true)
[ -n "$xorg" ] || [ ! -x /usr/lib/xorg/Xorg ] || xorg=/usr/lib/xorg/Xorg
skip() {
  echo "************************************************************************" >&2
  echo "SKIPPED: $1" >&2
  echo "The screen-mode switches were NOT tested on a several-mode X server." >&2
  echo "************************************************************************" >&2
  exit 77
}
[ -n "$xorg" ] || skip "Xorg is not installed (xserver-xorg-core, xserver-xorg-video-dummy)"

work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A free display number: no lock file and no socket.
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=$n; break; }
done
[ -n "${display:-}" ] || skip "no free X display number between :90 and :140"

"$xorg" ":$display" -config "$conf" -noreset -nolisten tcp -logfile "$work/Xorg.log" \
  >"$work/stdout" 2>&1 &
server=$!
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if ! kill -0 "$server" 2>/dev/null || [ ! -e "/tmp/.X11-unix/X$display" ]; then
  tail -n 20 "$work/Xorg.log" "$work/stdout" >&2 2>/dev/null
  server=
  skip "Xorg could not start with the dummy driver (needs root or a permitted Xorg)"
fi

DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
