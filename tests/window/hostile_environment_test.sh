#!/usr/bin/env bash
# The real program in an X server that misbehaves, or started with closed
# streams, as a user meets them: a closed stdout or stderr, a window manager
# that never maps its window (from the start, and appearing later), an X
# server that stops answering, thousands of window reopenings that must
# leave nothing behind in the server, a starting folder deleted under it, and
# a steady clock moved back an hour.
# Usage: hostile_environment_test.sh PROGRAM NEVER_MAP_WM X_RESOURCES RUN_DIR
source "$(dirname "$0")/../lib.sh"
program=$1
never_map_wm=$2
x_resources=$3
run_dir=$4
make_work_folder
start_xvfb

# start [REDIRECTION...]: the program in the runtime folder, its output in
# $work/out.txt and $work/err.txt unless the arguments say otherwise.
start() {
    background env "$@" bash -c 'cd "$1" && exec "$2"' start "$run_dir" "$program"
}

# Holds Escape until the program ends: with its output gone there is no
# line saying start-up is over, and keys held before the loop runs are lost.
escape_ends() {
    hold Escape
    wait_for_exit "$pid" 1
}
quit_with_escape() {
    await escape_ends || fail "$1: Escape did not end the program"
    [ "$status" -eq 0 ] || fail "$1: status $status after Escape, want 0"
}

# --- Closed standard streams ---------------------------------------------------------
# With stdout closed, the X connection took descriptor 1 and the seed line
# went into the X protocol: the window froze and nothing but SIGKILL ended it.
start >&- 2>"$work/err.txt"
wait_for_window >/dev/null || fail "closed stdout: no window: $(cat "$work/err.txt")"
quit_with_escape "closed stdout"
ok "a closed stdout: the window works and Escape ends it (status 0)"

# With stderr closed the first line written there (a library's, here Mesa's
# loader talking, or the program's own) did the same.
start LIBGL_DEBUG=verbose >"$work/out.txt" 2>&-
wait_for_window >/dev/null || fail "closed stderr: no window"
wait_for_line "$work/out.txt" '^world seed' || fail "closed stderr: no seed line"
quit_with_escape "closed stderr"
ok "a closed stderr with a chatty driver: Escape ends it (status 0)"

# --- A window manager that never maps the window ----------------------------------
# At start-up: the opening gives up after a few seconds with the window's
# message, start-up goes on without a window, and Ctrl+C ends the loop.
background "$never_map_wm" >"$work/wm.txt"
wm=$pid
wait_for_line "$work/wm.txt" '^ready' 5 || fail "the never-mapping window manager did not start"
start >"$work/out.txt" 2>"$work/err.txt"
wait_for_line "$work/err.txt" '^ERROR: Window Creation Error\.$' 20 ||
    fail "an unmapped window at start-up: no message: $(cat "$work/err.txt")"
wait_for_line "$work/out.txt" '^world seed' 20 || fail "an unmapped window: start-up stopped"
kill -INT "$pid"
wait_for_exit "$pid" 10 || fail "an unmapped window: Ctrl+C did not end the program"
[ "$status" -eq 0 ] || fail "an unmapped window: status $status after Ctrl+C, want 0"
grep -q 'did not show the window' "$work/err.txt" || fail "no reason given: $(cat "$work/err.txt")"
kill "$wm"
wait_for_exit "$wm" 10
ok "a window manager that never maps the window at start-up: reported, Ctrl+C ends it"

# Appearing later: F1 reopens the window, which is never mapped; the program
# goes on without it (no key held for good) and SIGTERM ends it.
start >"$work/out.txt" 2>"$work/err.txt"
game=$pid
wait_for_window >/dev/null || fail "no window before the window manager came"
wait_for_line "$work/out.txt" '^world seed' || fail "start-up did not finish"
background "$never_map_wm" >"$work/wm.txt"
wm=$pid
pid=$game
wait_for_line "$work/wm.txt" '^ready' 5 || fail "the never-mapping window manager did not start"
hold F1
wait_for_line "$work/err.txt" '^ERROR: Window Creation Error\.$' 20 ||
    fail "F1 under a window manager that never maps: no message: $(cat "$work/err.txt")"
kill -TERM "$pid"
wait_for_exit "$pid" 10 || fail "F1 under an unmapping window manager: SIGTERM did not end it"
[ "$status" -eq 0 ] || fail "F1 under an unmapping window manager: status $status, want 0"
kill "$wm"
wait_for_exit "$wm" 10
ok "F1 under a window manager that never maps: reported, SIGTERM ends it (status 0)"

# --- An X server that stops answering ------------------------------------------------
# kill -STOP of the server stands in for a hung server or a dead ssh -X link:
# the program waits in the window system with quitFlag set, and still SIGTERM
# and a second Ctrl+C end it.
at_exit kill -CONT "$xvfb_pid" # never leave a stopped server behind
for signal in TERM INT; do
    start >"$work/out.txt" 2>"$work/err.txt"
    wait_for_window >/dev/null || fail "no window before the server stops"
    wait_for_line "$work/out.txt" '^world seed' || fail "start-up did not finish"
    hold F7 # frames at 640 x 480 fill the connection sooner
    kill -STOP "$xvfb_pid"
    kill -"$signal" "$pid"
    [ "$signal" = INT ] && { sleep 0.5; kill -INT "$pid" 2>/dev/null; }
    wait_for_exit "$pid" 15 || fail "SIG$signal with the X server stopped: the program goes on"
    kill -CONT "$xvfb_pid"
    case $status in
    0 | $((128 + $(kill -l "$signal")))) ;;
    *) fail "SIG$signal with the X server stopped: status $status" ;;
    esac
    await _lib_x_answers || fail "the X server did not come back"
done
ok "with the X server stopped, SIGTERM and a second Ctrl+C end the program"

# --- A starting folder deleted under it ------------------------------------------------
# The program reads the installed data (a copy of the program with a copy of
# the data beside it), and F12's shots have no folder of the user's left to
# go into: they went into the data folder's screenshots/, which installed is
# /usr/share/undercroft. Each is refused, said on stderr.
mkdir -p "$work/alone/bin" "$work/alone/share" "$work/gone"
cp "$program" "$work/alone/bin/"
cp -r "$run_dir" "$work/alone/share/undercroft"
rm -rf "$work/alone/share/undercroft/screenshots"
before=$(cd "$work/alone/share/undercroft" && find . | sort)
background bash -c 'cd "$1" && rmdir "$1" && exec "$2"' start "$work/gone" \
    "$work/alone/bin/undercroft" >"$work/out.txt" 2>"$work/err.txt"
wait_for_window >/dev/null || fail "a deleted starting folder: no window: $(cat "$work/err.txt")"
wait_for_line "$work/out.txt" '^world seed' || fail "a deleted starting folder: no start-up"
for _ in $(seq 5); do
    hold F12
    wait_for_line "$work/err.txt" 'cannot save screenshot' 1 && break
done
grep -q 'the folder the program was started in cannot be found' "$work/err.txt" ||
    fail "F12 from a deleted folder said: $(cat "$work/err.txt")"
quit_with_escape "F12 from a deleted folder"
[ "$(cd "$work/alone/share/undercroft" && find . | sort)" = "$before" ] ||
    fail "F12 from a deleted folder changed the data folder"
ok "F12 from a deleted starting folder is refused, said on stderr; the data folder is unchanged"

# --- A steady clock moved back ------------------------------------------------------------
# libfaketime moves every clock back an hour while the program runs: the
# pacer slept until the next frame's time, an hour away, and Escape waited
# with it. The offset is read from a file at each look at the clock.
libfaketime=$(find /usr/lib -path '*/faketime/libfaketime.so.1' 2>/dev/null | head -1)
if [ -n "$libfaketime" ]; then
    echo "+0" >"$work/faketime"
    start LD_PRELOAD="$libfaketime" FAKETIME_TIMESTAMP_FILE="$work/faketime" FAKETIME_NO_CACHE=1 \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" >"$work/out.txt" 2>"$work/err.txt"
    wait_for_window >/dev/null || fail "under libfaketime: no window: $(cat "$work/err.txt")"
    wait_for_line "$work/out.txt" '^world seed' || fail "under libfaketime: start-up did not end"
    echo "-1h" >"$work/faketime"
    quit_with_escape "the clock moved back an hour"
    ok "with the steady clock moved back an hour, Escape still ends the program"
else
    echo "skipped: the clock moved back (libfaketime, Debian's faketime, is not installed)"
fi

# --- Reopenings leave nothing in the server ---------------------------------------------
# Holding F7 reopens the window every frame. Each reopening left a colormap
# in the server (1,111 after 150 s), and Xvfb grew with them.
colormaps() {
    "$x_resources" "$(window_id)" | sed -n 's/^COLORMAP=//p'
}
start >"$work/out.txt" 2>"$work/err.txt"
wait_for_window >/dev/null || fail "no window for the reopenings"
wait_for_line "$work/out.txt" '^world seed' || fail "start-up did not finish"
before=$(colormaps)
xdotool mousemove 5 5 keydown F7
sleep 3 # reopenings, one a frame while F7 is held
xdotool keyup F7
await window_is "0,0 1280x960" || fail "the window did not settle after the reopenings"
after=$(colormaps)
[ -n "$before" ] && [ "$after" = "$before" ] ||
    fail "the server held $before colormaps for the program before holding F7 and $after after"
quit_with_escape "after the reopenings"
ok "reopenings leave the server's count of the program's colormaps as it was ($after)"
echo "all ok"
