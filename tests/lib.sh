# What the shell tests share, sourced first thing by each of them:
#
#     source "$(dirname "$0")/../lib.sh"
#
# Reporting (fail, ok); one list of clean-up actions, run by the one EXIT
# trap (at_exit, make_work_folder, background); bounded polling instead of
# fixed waits (await, wait_for_line, wait_for_exit, stays_up); an Xvfb server
# of the test's own (start_xvfb, stop_xvfb) and the program's window in it
# (window_id, wait_for_window, window_geometry, window_is, expect_geometry,
# error_box, wait_past_error_box, hold).
#
# A script that sources this must not set its own EXIT trap: it registers
# what is to be undone with at_exit instead.

# --- Reporting ----------------------------------------------------------------

# TEST_LABEL, when set, is named on every line ("FAIL (win64): ...").
TEST_LABEL=${TEST_LABEL:-}

# fail MESSAGE...: says why the test failed and ends it with status 1. Inside
# $(...) it ends only that subshell: call it from the script's own shell.
fail() {
    echo "FAIL${TEST_LABEL:+ ($TEST_LABEL)}: $*"
    exit 1
}

# ok MESSAGE...: one passed check.
ok() {
    echo "ok${TEST_LABEL:+ ($TEST_LABEL)}: $*"
}

# --- Clean-up at exit -------------------------------------------------------------

_lib_actions=()
_lib_pids=()

# at_exit COMMAND [ARGUMENT...]: runs the command when the script exits, its
# arguments taken as they are now; the last registered runs first, so a
# server goes before the folder it writes in. A function name defers all
# decisions to exit time.
at_exit() {
    local action
    printf -v action '%q ' "$@"
    _lib_actions+=("$action")
}

# Runs at exit: first kills what `background` started and nobody waited for,
# then the actions, newest first. The script's exit status stays its own.
_lib_exit() {
    local status=$? i
    trap - EXIT
    for i in "${_lib_pids[@]}"; do
        disown "$i" 2>/dev/null # no "Killed" notice for it
        kill -9 "$i" 2>/dev/null
    done
    for ((i = ${#_lib_actions[@]} - 1; i >= 0; i--)); do
        eval "${_lib_actions[i]}"
    done
    exit "$status"
}
trap _lib_exit EXIT
# A test interrupted at the terminal or stopped by CTest cleans up too.
trap 'exit 130' INT
trap 'exit 143' TERM

# make_work_folder: sets $work to a new empty folder, removed at exit (made
# writable first, for tests that take the write permission away).
make_work_folder() {
    work=$(mktemp -d) || fail "no temporary folder"
    at_exit _lib_remove_folder "$work"
}
_lib_remove_folder() {
    chmod -R u+w "$1" 2>/dev/null
    rm -rf "$1"
}

# background COMMAND [ARGUMENT...]: starts the command in the background
# (redirections written on the call apply to it) and sets $pid to its process
# id. Unless wait_for_exit has seen it end, it is killed at exit.
background() {
    "$@" &
    pid=$!
    _lib_pids+=("$pid")
}

# --- Polling ------------------------------------------------------------------------

# Microseconds since the epoch.
_lib_now() {
    echo "${EPOCHREALTIME//[.,]/}"
}

# await [--timeout SECONDS] COMMAND [ARGUMENT...]: runs the command every tenth
# of a second until it succeeds (status 0) or SECONDS (default 20, fractions
# allowed) have passed (status 1). The command always runs at least once.
await() {
    local timeout=20
    if [ "${1:-}" = --timeout ]; then
        timeout=$2
        shift 2
    fi
    local deadline
    deadline=$(($(_lib_now) + $(awk -v s="$timeout" 'BEGIN { printf "%d", s * 1000000 }')))
    while true; do
        "$@" && return 0
        [ "$(_lib_now)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# wait_for_line FILE PATTERN [TIMEOUT]: waits (default 20 s) until a line of
# FILE matches the basic regular expression PATTERN.
wait_for_line() {
    await --timeout "${3:-20}" grep -aq -- "$2" "$1" 2>/dev/null
}

_lib_ended() {
    ! kill -0 "$1" 2>/dev/null
}

# wait_for_exit PID [TIMEOUT]: waits (default 20 s) for a process this shell
# started to end, then sets $status to its exit status. Status 1, the process
# left running, when it did not end in time.
wait_for_exit() {
    await --timeout "${2:-20}" _lib_ended "$1" || return 1
    wait "$1"
    status=$?
    local i
    for i in "${!_lib_pids[@]}"; do
        [ "${_lib_pids[i]}" = "$1" ] && unset '_lib_pids[i]'
    done
    return 0
}

# stays_up PID SECONDS: whether the process is still running after SECONDS,
# failing as soon as it ends. For checks that something does not happen (a
# crash in the first frames), where there is no state to wait for.
stays_up() {
    ! await --timeout "$2" _lib_ended "$1"
}

# --- An X server of the test's own -------------------------------------------------

# start_xvfb [SCREEN [ARGUMENT...]]: starts Xvfb, with the ARGUMENTs (say
# -ardelay for the keyboard's auto-repeat), on a display it picks itself
# (-displayfd), screen SCREEN (default 1600x1200x24), exports DISPLAY, unsets
# SDL_VIDEODRIVER (programs started from now on use the server) and waits
# until the server answers. Its process id is $xvfb_pid; it is stopped at
# exit, or earlier by stop_xvfb.
start_xvfb() {
    local numbers
    numbers=$(mktemp) || fail "no temporary file for Xvfb's display"
    Xvfb -displayfd 3 -screen 0 "${1:-1600x1200x24}" -nolisten tcp -noreset "${@:2}" \
        3>"$numbers" </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    at_exit stop_xvfb
    # The number is written once the server takes connections.
    await [ -s "$numbers" ] || { rm -f "$numbers"; fail "Xvfb named no display"; }
    export DISPLAY=:$(head -1 "$numbers")
    rm -f "$numbers"
    unset SDL_VIDEODRIVER
    if command -v xdotool >/dev/null; then
        await _lib_x_answers || fail "Xvfb on $DISPLAY does not answer"
    fi
}
_lib_x_answers() {
    xdotool getmouselocation >/dev/null 2>&1
}

# stop_xvfb: stops the server start_xvfb started, if it runs.
stop_xvfb() {
    [ -n "${xvfb_pid:-}" ] || return 0
    kill "$xvfb_pid" 2>/dev/null
    await --timeout 10 _lib_ended "$xvfb_pid" || kill -9 "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
}

# --- The program's window in it --------------------------------------------------

# window_id [NAME]: prints the id of the newest viewable window titled exactly
# NAME (default GAME); status 1 when there is none.
window_id() {
    local id
    id=$(xdotool search --onlyvisible --name "^${1:-GAME}\$" 2>/dev/null | tail -1)
    [ -n "$id" ] && echo "$id"
}

# wait_for_window [NAME] [TIMEOUT]: waits (default 20 s) for such a window and
# prints its id.
wait_for_window() {
    await --timeout "${2:-20}" window_id "${1:-GAME}"
}

# window_geometry [NAME]: the window's place and size as "X,Y WxH", or "none".
window_geometry() {
    local id shell x y width height
    id=$(window_id "${1:-GAME}") && shell=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) ||
        { echo none; return; }
    x=$(sed -n 's/^X=//p' <<<"$shell")
    y=$(sed -n 's/^Y=//p' <<<"$shell")
    width=$(sed -n 's/^WIDTH=//p' <<<"$shell")
    height=$(sed -n 's/^HEIGHT=//p' <<<"$shell")
    echo "$x,$y ${width}x$height"
}

# window_is WANT [NAME]: whether the window's geometry is WANT ("X,Y WxH").
window_is() {
    [ "$(window_geometry "${2:-GAME}")" = "$1" ]
}

# expect_geometry WANT WHAT [NAME]: waits (20 s) for the window to be WANT
# and says ok, or fails naming WHAT and what the window is.
expect_geometry() {
    await window_is "$1" "${3:-GAME}" ||
        fail "$2: the window is '$(window_geometry "${3:-GAME}")', want '$1'"
    ok "$2 ($1)"
}

# error_box: prints the id of a viewable message box titled ERROR (SDL's, shown
# where the X server has a font for it); status 1 when there is none.
# (xdotool cannot find the box: its title is UTF-8.)
error_box() {
    local box
    box=$(xwininfo -root -tree 2>/dev/null | awk '$2 == "\"ERROR\":" { print $1 }' | tail -1)
    [ -n "$box" ] && xwininfo -id "$box" 2>/dev/null | grep -q 'Map State: IsViewable' &&
        echo "$box"
}

# wait_past_error_box LOG: waits until start-up is over (LOG has its "world
# seed" line), closing with Return, as a person would, an error box that
# start-up waits on. Status 1 when start-up does not finish.
wait_past_error_box() {
    local box
    await _lib_started_or_box "$1" || return 1
    if box=$(error_box); then
        timeout 10 xdotool windowfocus --sync "$box" && xdotool key Return || return 1
    fi
    wait_for_line "$1" '^world seed'
}
_lib_started_or_box() {
    grep -q '^world seed' "$1" || error_box >/dev/null
}

# hold KEY [X Y]: holds KEY for $hold_seconds (default half a second) with
# the cursor at desktop position X,Y (default 5,5: on the window where the
# program opens it; with no window manager, a window may take keys only with
# the cursor over it), then leaves it up as long.
# The program takes in key events once a frame, so a press has to outlast a
# slow frame, and so does the pause after it: a release and the next press
# taken in by the same frame would be no press at all. A person's presses
# and pauses are that long; that is what the waits are for. The press stays
# under the X server's auto-repeat delay, so the key is pressed once.
hold_seconds=0.5
hold() {
    xdotool mousemove "${2:-5}" "${3:-5}"
    xdotool keydown "$1"
    sleep "$hold_seconds"
    xdotool keyup "$1"
    sleep "$hold_seconds"
}
