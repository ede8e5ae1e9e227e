#!/usr/bin/env bash
# Whether window reopenings leave anything behind in the X server: holds F7
# in the real program on Xvfb (the window reopens every frame while it is
# held) until SDL has created COUNT windows, and prints the server's count of
# the program's resources by kind (the X-Resource extension, through
# tests/window/x_resources.c) and Xvfb's resident memory, before and after.
# Usage: bench/window_reopenings.sh [COUNT [PROGRAM [RUN_DIR [X_RESOURCES]]]]
# (defaults 10000, build/undercroft, build/run, build/tests/x_resources)
source "$(dirname "$0")/../tests/lib.sh"
count=${1:-10000}
program=$(realpath "${2:-build/undercroft}")
run_dir=$(realpath "${3:-build/run}")
x_resources=$(realpath "${4:-build/tests/x_resources}")
make_work_folder
cc -shared -fPIC -O2 -o "$work/count_windows.so" "$(dirname "$0")/count_windows.c" -ldl ||
    fail "cannot build the window counter"
start_xvfb

# What the server holds for the program, and what Xvfb holds itself.
server_side() {
    echo "$("$x_resources" "$(window_id)" | tr '\n' ' ')Xvfb $(awk '/VmRSS/ { print $2, $3 }' "/proc/$xvfb_pid/status")"
}
created() { cat "$work/created" 2>/dev/null || echo 0; }

export COUNT_WINDOWS_FILE=$work/created
background env -C "$run_dir" LD_PRELOAD="$work/count_windows.so" "$program" >"$work/out.txt" 2>&1
wait_for_line "$work/out.txt" '^world seed' || fail "start-up did not finish: $(cat "$work/out.txt")"
wait_for_window >/dev/null || fail "no window"
echo "before: $(server_side)"
xdotool mousemove 20 20 keydown F7
start=$SECONDS
while [ "$(created)" -lt "$count" ]; do
    sleep 1
    _lib_ended "$pid" && fail "the program ended: $(cat "$work/out.txt")"
done
xdotool keyup F7
await window_is "0,0 1280x960" || fail "the window did not settle after the reopenings"
echo "after $(created) windows in $((SECONDS - start)) s: $(server_side)"
hold Escape
wait_for_exit "$pid" || fail "Escape did not end the program"
