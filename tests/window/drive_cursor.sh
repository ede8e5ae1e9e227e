#!/usr/bin/env bash
# Drives the real program in an Xvfb X server with the cursor, as a user
# would: holds M and moves the cursor twice (the window's corner must follow
# it), lets go, then takes an F12 shot with the cursor at each place named on
# the command line ("NAME X Y" triples, desktop positions). Started in
# RUN_DIR; writes into LOGDIR the program's stdout and stderr, "steps" (one
# line per step: its name and the window's "X,Y WxH" after it) and "shots"
# (one line per shot: its name and the screenshot's path).
set -u
source "$(dirname "$0")/../lib.sh"
program=$1
run_dir=$2
logdir=$3
shift 3

start_xvfb 2000x1500x24

# Records the window after a step; waits for WANT first if given.
step() {
    local name=$1 want=${2:-}
    [ -n "$want" ] && await window_is "$want"
    echo "$name $(window_geometry)" >>"$logdir/steps"
}

# Whether the program has printed at least N screenshot paths.
shots_printed() { [ "$(grep -c '\.png$' "$logdir/stdout")" -ge "$1" ]; }

background env -C "$run_dir" "$program" >"$logdir/stdout" 2>"$logdir/stderr"
wait_for_line "$logdir/stdout" '^world seed' || fail "start-up did not finish: $(cat "$logdir/stderr")"
step start "0,0 640x480"

# M held: the window's top-left corner follows the cursor, every frame.
xdotool mousemove 300 200
xdotool keydown m
step "m-at-300,200" "300,200 640x480"
xdotool mousemove 700 500
step "m-at-700,500" "700,500 640x480"
xdotool keyup m
# When a frame has seen M come up cannot be seen from outside: give a slow
# frame time for it before the cursor moves on.
sleep 0.3
# Let go, the window stays where it is: it must not follow the cursor, which
# only watching it for a while shows.
xdotool mousemove 1000 900
sleep 0.5
step "released"

taken=0
while [ $# -ge 3 ]; do
    # The cursor is put there before F12 goes down, and each frame reads it
    # as it draws, after the events that hold F12 were taken in: the shot
    # shows the cursor where it was put.
    hold F12 "$2" "$3"
    taken=$((taken + 1))
    await shots_printed "$taken" || fail "F12 at $2,$3 printed no screenshot path"
    echo "$1 $(grep '\.png$' "$logdir/stdout" | sed -n "${taken}p")" >>"$logdir/shots"
    shift 3
done

# Held as a person presses it, with the cursor where the last shot left it.
xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
wait_for_exit "$pid" || fail "Escape did not end the program"
echo "$status" >"$logdir/status"
