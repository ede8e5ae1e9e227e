#!/usr/bin/env bash
# How fast the real program runs in the map view on a display without vsync
# (Xvfb): the CPU it takes when idle, how many cells a second holding Right
# pans, and how far a 0.15 s tap moves. The view cell is read from the
# running program with gdb.
# Usage: bench/frame_pacing.sh [PROGRAM [RUN_DIR]] (default build/undercroft, build/run)
source "$(dirname "$0")/../tests/lib.sh"
program=$(realpath "${1:-build/undercroft}")
run_dir=$(realpath "${2:-build/run}")
command -v gdb >/dev/null || fail "gdb is needed to read the view cell"
start_xvfb
make_work_folder
background env -C "$run_dir" "$program" >"$work/out.txt" 2>&1
wait_for_line "$work/out.txt" '^world seed' || fail "start-up did not finish"
wait_for_window >/dev/null || fail "no window"
hold F7 20 20
await window_is "0,0 1280x960" || fail "F7 did not switch to the map view"
sleep 1 # the map view settles after its reopening

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
# SX as the movement keys see it: the map frame shifts it while it draws.
view_column() {
    gdb -p "$pid" -batch -ex 'break handleMovementKeys' -ex continue \
        -ex 'print *(int*)&SX' 2>/dev/null | sed -n 's/^\$1 = //p'
}

before=$(ticks)
sleep 5 # the idle program's CPU over five seconds
after=$(ticks)
echo "idle map view: $(((after - before) * 100 / 5 / $(getconf CLK_TCK)))% of a core"

# cells_in SECONDS: how far holding Right for so long moves the view, from
# the left edge (Left held first brings it there). One xdotool for the
# press, the wait and the release; what the hold gains or loses to the
# events' way into the program is the same for every length, so the
# difference of two lengths is the rate.
cells_in() {
    xdotool keydown Left sleep 4 keyup Left
    sleep 0.3
    local first
    first=$(view_column)
    xdotool keydown Right sleep "$1" keyup Right
    sleep 0.3
    echo $(($(view_column) - first))
}
one=$(cells_in 1)
two=$(cells_in 2)
echo "Right held 1 s: $one cells, 2 s: $two cells: $((two - one)) cells a second"
echo "a 0.15 s tap of Right: $(cells_in 0.15) cells"
hold Escape 20 20
wait_for_exit "$pid" 10 || fail "Escape did not end the program"
