#!/usr/bin/env bash
# The real program in a real X server (Xvfb), driven with xdotool: the window
# it opens, the mode and scale keys, Escape, and a window-manager close.
set -u
program=$1
send_wm_delete=$2
run_dir=$3

display=:$(( 90 + RANDOM % 400 ))
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; [ -n "${pid:-}" ] && kill -9 $pid 2>/dev/null' EXIT
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

# Prints "X,Y WxH" of the game window once it is stable.
geometry() {
    local id out
    sleep 0.4
    id=$(game_window) || { echo none; return; }
    out=$(xdotool getwindowgeometry "$id" 2>/dev/null) || { echo none; return; }
    echo "$(echo "$out" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p') $(echo "$out" | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p')"
}

hold() {
    xdotool mousemove 5 5
    xdotool keydown "$1"; sleep 0.25; xdotool keyup "$1"
}

expect_geometry() {
    local got
    got=$(geometry)
    [ "$got" = "$1" ] || fail "$2: window is '$got', want '$1'"
    echo "ok: $2 ($got)"
}

start_program() {
    (cd "$run_dir" && exec "$program") >/dev/null 2>&1 &
    pid=$!
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
