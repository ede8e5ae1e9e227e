#!/usr/bin/env bash
# Runs an installed undercroft in an Xvfb X server, started in WORKDIR:
# waits for start-up, then holds F7 (map view), F12 (screenshot, with the
# cursor at desktop position 400,300) and Escape.
# Writes the program's stdout, stderr and exit status into LOGDIR; exits
# non-zero (with the reason) when the program cannot be driven that far.
set -u
program=$1
workdir=$2
logdir=$3
unset SDL_VIDEODRIVER

fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display itself and names it on descriptor 3.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$logdir/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; [ -n "${pid:-}" ] && kill -9 $pid 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$logdir/display" ] && break; sleep 0.1; done
[ -s "$logdir/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$logdir/display")

# Keys are polled once per frame: hold each long enough for a slow frame,
# with the cursor at desktop position X Y (default 5 5).
hold() {
    xdotool mousemove "${2:-5}" "${3:-5}"
    xdotool keydown "$1"; sleep 0.5; xdotool keyup "$1"; sleep 0.3
}

# Waits up to 15 s for a command to succeed.
await() {
    for _ in $(seq 150); do "$@" && return 0; sleep 0.1; done
    return 1
}

window_is() {
    local id
    id=$(xdotool search --name '^GAME$' 2>/dev/null | tail -1)
    [ -n "$id" ] && xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $1"
}

ended() { ! kill -0 "$pid" 2>/dev/null; }

(cd "$workdir" && exec "$program") >"$logdir/stdout" 2>"$logdir/stderr" &
pid=$!
await grep -q '^world seed' "$logdir/stdout" ||
    fail "start-up did not finish: $(cat "$logdir/stderr")"
await window_is 640x480 || fail "no 640x480 window titled GAME"
hold F7
await window_is 1280x960 || fail "F7 did not switch to the map view"
hold F12 400 300
await grep -q '\.png$' "$logdir/stdout" || fail "F12 printed no screenshot path"
hold Escape
await ended || fail "Escape did not end the program"
wait "$pid"
echo $? >"$logdir/status"
pid=
