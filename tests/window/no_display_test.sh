#!/usr/bin/env bash
# With no display the program reports that it has no window on stderr, goes
# on running, and Ctrl+C (or SIGTERM) ends it with status 0.
set -u
source "$(dirname "$0")/../lib.sh"
program=$1
make_work_folder
cd "$work" || fail "cannot enter $work"

for signal in INT TERM; do
    background env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program" >out.txt 2>err.txt
    wait_for_line out.txt '^world seed' ||
        fail "SIG$signal: start-up did not finish: $(cat err.txt)"
    # Start-up is over and the loop runs without a window: watch it a moment.
    stays_up "$pid" 0.5 || fail "the program ended by itself with no display: $(cat err.txt)"
    kill -s "$signal" "$pid"
    wait_for_exit "$pid" || fail "SIG$signal did not end the program"
    [ "$status" -eq 0 ] || fail "SIG$signal: exit status $status, want 0"
    grep -qx 'ERROR: Failed To Register The Window Class.' err.txt ||
        fail "missing the window-class message on stderr: $(cat err.txt)"
done
ok "no display: reported, the loop runs, SIGINT and SIGTERM end it with status 0"

# Started from another folder, a program in its build folder reads the
# build's runtime folder beside it, and says so.
built=$(realpath "$(dirname "$program")/run")
if [ -d "$built/bmp_cube" ]; then
    grep -qx "data from $built" out.txt || fail "the built program did not find $built: $(cat out.txt)"
    ok "started from $work, the built program reads $built"
fi
