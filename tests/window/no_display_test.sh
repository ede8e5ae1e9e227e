#!/usr/bin/env bash
# With no display the program reports that it has no window on stderr, and
# why, goes on running, and Ctrl+C (or SIGTERM) ends it with status 0. Its
# command line answers without a window.
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
    # Then why, and what to do, and nothing else: no library's own noise.
    [ "$(sed -n 2p err.txt)" = "undercroft: no display: DISPLAY is not set; undercroft-tool tour --out DIR draws pictures of the world without one" ] &&
        [ "$(wc -l <err.txt)" -eq 2 ] || fail "with no display stderr said: $(cat err.txt)"
done
ok "no display: reported with its reason, the loop runs, SIGINT and SIGTERM end it with status 0"

# Started from another folder, a program in its build folder reads the
# build's runtime folder beside it, and says so.
built=$(realpath "$(dirname "$program")/run")
if [ -d "$built/bmp_cube" ]; then
    grep -qx "data from $built" out.txt || fail "the built program did not find $built: $(cat out.txt)"
    ok "started from $work, the built program reads $built"
fi

# ARGUMENTS | status | what stdout or stderr holds
while IFS='|' read -r arguments want said; do
    read -ra words <<<"$arguments"
    env -u DISPLAY -u WAYLAND_DISPLAY "$program" "${words[@]}" >out.txt 2>err.txt
    status=$?
    [ "$status" -eq "$want" ] || fail "undercroft $arguments: status $status, want $want"
    grep -q -- "$said" out.txt err.txt || fail "undercroft $arguments said: $(cat out.txt err.txt)"
    [ "$want" -ne 2 ] || [ "$(wc -l <err.txt)" -eq 1 ] || fail "undercroft $arguments: not one line"
done <<'TABLE'
--help|0|--seed N
-h|0|Usage: undercroft
--version|0|^undercroft [0-9]
--bogus|2|^undercroft: unknown argument '--bogus' (try --help)$
--seed|2|^undercroft: --seed wants a number
--seed 5junk|2|^undercroft: --seed: '5junk' has 'junk' after the number$
--seed 4294967296|2|out of range
TABLE
ok "the command line: --help and --version answer, anything else is one line and status 2"
