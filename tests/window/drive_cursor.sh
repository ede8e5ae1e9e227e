#!/usr/bin/env bash
# Drives the real program in an Xvfb X server with the cursor, as a user
# would: holds M and moves the cursor twice (the window's corner must follow
# it), lets go, then takes an F12 shot with the cursor at each place named on
# the command line ("NAME X Y" triples, desktop positions). Started in
# RUN_DIR; writes into LOGDIR the program's stdout and stderr, "steps" (one
# line per step: its name and the window's "X,Y WxH" after it) and "shots"
# (one line per shot: its name and the screenshot's path).
set -u
program=$1
run_dir=$2
logdir=$3
shift 3
unset SDL_VIDEODRIVER

fail() { echo "FAIL: $*"; exit 1; }

Xvfb -displayfd 3 -screen 0 2000x1500x24 -nolisten tcp 3>"$logdir/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; [ -n "${pid:-}" ] && kill -9 $pid 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$logdir/display" ] && break; sleep 0.1; done
[ -s "$logdir/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$logdir/display")

# Waits up to 10 s for a command to succeed.
await() {
    for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
    return 1
}

geometry() {
    local id out
    id=$(xdotool search --name '^GAME$' 2>/dev/null | tail -1)
    [ -n "$id" ] || { echo none; return; }
    out=$(xdotool getwindowgeometry "$id" 2>/dev/null) || { echo none; return; }
    echo "$(echo "$out" | sed -n 's/.*Position: \([0-9-]*,[0-9-]*\).*/\1/p') $(echo "$out" | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p')"
}

window_at() { [ "$(geometry)" = "$1" ]; }

# Records the window after a step; waits (up to 10 s) for WANT if given.
step() {
    local name=$1 want=${2:-}
    [ -n "$want" ] && await window_at "$want"
    echo "$name $(geometry)" >>"$logdir/steps"
}

shots() { grep -c '\.png$' "$logdir/stdout"; }

(cd "$run_dir" && exec "$program") >"$logdir/stdout" 2>"$logdir/stderr" &
pid=$!
await grep -q '^world seed' "$logdir/stdout" || fail "start-up did not finish: $(cat "$logdir/stderr")"
step start "0,0 640x480"

# M held: the window's top-left corner follows the cursor, every frame.
xdotool mousemove 300 200
xdotool keydown m
step "m-at-300,200" "300,200 640x480"
xdotool mousemove 700 500
step "m-at-700,500" "700,500 640x480"
xdotool keyup m
sleep 0.3
# Let go, the window stays where it is.
xdotool mousemove 1000 900
sleep 0.5
step "released"

taken=0
while [ $# -ge 3 ]; do
    xdotool mousemove "$2" "$3"
    sleep 0.3
    xdotool keydown F12; sleep 0.3; xdotool keyup F12
    taken=$((taken + 1))
    await [ "$(shots)" -ge "$taken" ] || fail "F12 at $2,$3 printed no screenshot path"
    echo "$1 $(grep '\.png$' "$logdir/stdout" | sed -n "${taken}p")" >>"$logdir/shots"
    shift 3
done

xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
await eval '! kill -0 "$pid" 2>/dev/null' || fail "Escape did not end the program"
wait "$pid"
echo $? >"$logdir/status"
pid=
