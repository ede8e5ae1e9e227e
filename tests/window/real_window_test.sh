#!/usr/bin/env bash
# The real program in a real X server (Xvfb), driven with xdotool: the window
# it opens, the mode and scale keys, Escape, and a window-manager close.
set -u
source "$(dirname "$0")/../lib.sh"
program=$1
send_wm_delete=$2
run_dir=$3

make_work_folder
log=$work/log
start_xvfb 1600x1200x24

# Starts the program and waits until start-up is over (it prints its world
# seed then) and its window is there.
start_program() {
    background env -C "$run_dir" "$program" "$@" >"$log" 2>&1
    wait_for_line "$log" '^world seed' || fail "start-up did not finish: $(cat "$log")"
    wait_for_window >/dev/null || fail "no window titled GAME appeared"
}

end_program() {
    wait_for_exit "$pid" || fail "$1: program still running"
    [ "$status" -eq 0 ] || fail "$1: exit status $status, want 0"
    ok "$1 ends with status 0"
}

start_program
expect_geometry "0,0 640x480" "start-up"
[ "$(xdotool search --name '^GAME$' | wc -l)" -eq 1 ] || fail "more than one GAME window"
hold F7; expect_geometry "0,0 1280x960" "F7 (640x480 at scale 2)"
hold F1; expect_geometry "0,0 640x480" "F1 (640x480 at scale 1)"
# F6 keeps the size: the F1 after it shows that it took.
hold F6; expect_geometry "0,0 640x480" "F6 (320x240 at scale 2)"
hold F1; expect_geometry "0,0 320x240" "F1 after F6 (320x240 at scale 1)"
# F12 counts every press, however short: twenty taps of a few milliseconds,
# each let go before a frame looks, save twenty pictures.
shots_printed() { [ "$(grep -c '\.png$' "$log")" -eq "$1" ]; }
xdotool mousemove 5 5
for _ in $(seq 20); do xdotool key --delay 0 F12; done
await shots_printed 20 || fail "twenty quick F12 taps printed $(grep -c '\.png$' "$log") paths"
grep '\.png$' "$log" | xargs rm -f
ok "twenty quick F12 taps save twenty pictures"
hold Escape; end_program "Escape"

# The world of a seed of the user's choosing, as the tool's --seed builds it.
start_program --seed 5
grep -qx 'world seed 5' "$log" || fail "--seed 5 printed: $(cat "$log")"
ok "--seed 5 builds the world of seed 5"
"$send_wm_delete" "$(window_id)"
end_program "window-manager close"
echo "all ok"
