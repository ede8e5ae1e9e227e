#!/usr/bin/env bash
# The real program in a real X server (Xvfb), driven with xdotool: the window
# it opens, the mode and scale keys, Escape, and a window-manager close.
set -u
program=$1
send_wm_delete=$2
run_dir=$3

log=$(mktemp)
display=:$(( 90 + RANDOM % 400 ))
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; [ -n "${pid:-}" ] && kill -9 $pid 2>/dev/null; rm -f "$log"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "FAIL: $*"; exit 1; }

game_window() {
    local id
    for _ in $(seq 50); do
        id=$(xdotool search --name '^GAME$' 2>/dev/null | tail -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Prints "X,Y WxH" of the game window.
geometry() {
    local id out
    id=$(game_window) || { echo none; return; }
    out=$(xdotool getwindowgeometry "$id" 2>/dev/null) || { echo none; return; }
    echo "$(echo "$out" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p') $(echo "$out" | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p')"
}

# Keys are polled once per frame: hold each long enough for a slow frame to
# see it, then let the reopened window settle.
hold() {
    xdotool mousemove 5 5
    xdotool keydown "$1"; sleep 0.5; xdotool keyup "$1"; sleep 0.3
}

expect_geometry() {
    local got
    for _ in $(seq 50); do
        got=$(geometry)
        [ "$got" = "$1" ] && break
        sleep 0.1
    done
    [ "$got" = "$1" ] || fail "$2: window is '$got', want '$1'"
    echo "ok: $2 ($got)"
}

# Starts the program and waits until start-up is over (it prints its world
# seed then) and the frame loop reads the keys.
start_program() {
    (cd "$run_dir" && exec "$program") >"$log" 2>&1 &
    pid=$!
    for _ in $(seq 150); do grep -q '^world seed' "$log" && break; sleep 0.1; done
    grep -q '^world seed' "$log" || fail "start-up did not finish: $(cat "$log")"
    game_window >/dev/null || fail "no window titled GAME appeared"
}

wait_exit() {
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "$1: program still running"
    wait "$pid"; local status=$?; pid=
    [ "$status" -eq 0 ] || fail "$1: exit status $status, want 0"
    echo "ok: $1 ends with status 0"
}

start_program
expect_geometry "0,0 640x480" "start-up"
[ "$(xdotool search --name '^GAME$' | wc -l)" -eq 1 ] || fail "more than one GAME window"
hold F7; expect_geometry "0,0 1280x960" "F7 (640x480 at scale 2)"
hold F1; expect_geometry "0,0 640x480" "F1 (640x480 at scale 1)"
hold F6; expect_geometry "0,0 640x480" "F6 (320x240 at scale 2)"
hold F1; expect_geometry "0,0 320x240" "F1 after F6 (320x240 at scale 1)"
hold Escape; wait_exit "Escape"

start_program
"$send_wm_delete" "$(game_window)"
wait_exit "window-manager close"
echo "all ok"
