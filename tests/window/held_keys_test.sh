#!/usr/bin/env bash
# Keys as a person holds them, in a real X server: held through the window's
# reopenings (F1 to F7), with the keyboard's auto-repeat off and on; a tap
# during a reopening; the keypad's arrows with NumLock off; keys typed into
# another program's window; and Escape with no window at all. The view cell
# is read from the running program with gdb.
set -u
source "$(dirname "$0")/../lib.sh"
program=$1
run_dir=$2
command -v gdb >/dev/null || fail "gdb is needed to read the view cell"
command -v xev >/dev/null || fail "xev is needed to count the windows made"

make_work_folder
log=$work/log

start_program() {
    background env -C "$run_dir" "$@" "$program" >"$log" 2>&1
    wait_for_line "$log" '^world seed' || fail "start-up did not finish: $(cat "$log")"
}

view_column() {
    gdb -p "$pid" -batch -ex 'print *(int*)&SX' 2>/dev/null | sed -n 's/^\$1 = //p'
}

# press_for SECONDS KEY...: holds the keys together for SECONDS.
press_for() {
    local seconds=$1
    shift
    xdotool keydown "$@"
    sleep "$seconds"
    xdotool keyup "$@"
}

for repeat in off on; do
    TEST_LABEL="key repeat $repeat"
    if [ $repeat = off ]; then
        # Xvfb ignores `xset r off` for XTEST's keys: a long delay stands in.
        start_xvfb 1600x1200x24 -ardelay 30000 -arinterval 30000
    else
        start_xvfb 1600x1200x24
    fi
    start_program
    wait_for_window >/dev/null || fail "no window"
    xdotool mousemove 5 5

    xev -root -event substructure >"$work/xev.log" 2>&1 &
    xev_pid=$!
    press_for 2 F6
    sleep 0.5
    kill $xev_pid
    windows=$(grep -c CreateNotify "$work/xev.log")
    [ "$windows" -ge 10 ] || fail "F6 held 2 s made $windows windows, want one a frame"
    ok "F6 held 2 s reopens the window every frame ($windows windows)"

    # In the map view, Right held through a tap of F2 runs on to the world's
    # edge, 216 at 640 x 480 (at 60 cells a second from wherever it starts).
    hold F7
    xdotool keydown Right
    sleep 1
    press_for 0.1 F2
    # gdb stops the program while it reads: a look a second.
    for _ in $(seq 15); do
        sleep 1
        column=$(view_column)
        [ "$column" = 216 ] && break
    done
    xdotool keyup Right
    [ "$column" = 216 ] || fail "Right held through F2 stopped at column $column, want 216: $(cat "$log")"
    ok "Right held through a reopening reaches the world's edge"

    press_for 0.5 Left
    before=$(view_column)
    press_for 0.5 KP_Right
    after=$(view_column)
    [ "$after" -gt "$before" ] || fail "keypad Right moved the view from $before to $after"
    ok "keypad Right with NumLock off moves the view ($before -> $after)"

    # F2 tapped, then F4 tapped 10 ms later, while F2's reopening runs: the
    # window ends at F4's scale, 1280 x 960 in the 3D view.
    hold F6
    xdotool keydown F2 && sleep 0.01 && xdotool keydown F4 keyup F2 && sleep 0.05 &&
        xdotool keyup F4
    expect_geometry "0,0 1280x960" "F4 tapped during F2's reopening"
    xdotool key F1
    expect_geometry "0,0 320x240" "a tap of F1, shorter than a frame"

    # Keys typed into another program's window are that program's (in the
    # map view, where nothing else moves the view).
    hold F7
    xev -geometry 200x200+1300+900 -name other >/dev/null 2>&1 &
    other=$!
    other_id=$(wait_for_window other) || fail "the other window did not appear"
    column=$(view_column)
    xdotool mousemove 1400 1000 windowfocus --sync "$other_id"
    press_for 0.3 Right
    press_for 0.3 Escape
    stays_up "$pid" 0.5 || fail "Escape typed into another window ended the program"
    [ "$(view_column)" = "$column" ] || fail "Right typed into another window moved the view"
    kill $other
    ok "keys typed into another window leave the program alone"

    xdotool windowfocus --sync "$(window_id)"
    hold Escape
    wait_for_exit "$pid" || fail "Escape did not end the program"
    [ "$status" -eq 0 ] || fail "Escape: status $status"
    ok "Escape in the game window ends it with status 0"
    stop_xvfb
done

# With no GL driver the window cannot open and the loop runs without one:
# Escape, pressed wherever the pointer is, still ends it. The message box,
# where the server has fonts for it, is closed first, as a person would.
TEST_LABEL=
start_xvfb
background env -C "$run_dir" LIBGL_DRIVERS_PATH="$work/no_driver" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$program" >"$log" 2>&1
wait_past_error_box "$log" || fail "start-up without a GL driver did not finish: $(cat "$log")"
grep -q "^ERROR: Can't Create A GL Rendering Context.$" "$log" || fail "no GL: $(cat "$log")"
hold Escape 800 600
wait_for_exit "$pid" || fail "Escape did not end the program running without a window"
[ "$status" -eq 0 ] || fail "Escape with no window: status $status"
ok "Escape ends a program running without a window"
echo "all ok"
