#!/usr/bin/env bash
# Runs an installed undercroft in an Xvfb X server, started in WORKDIR:
# waits for start-up, then holds F7 (map view), F12 (screenshot, with the
# cursor at desktop position 400,300) and Escape.
# Writes the program's stdout, stderr and exit status into LOGDIR; exits
# non-zero (with the reason) when the program cannot be driven that far.
set -u
source "$(dirname "$0")/../lib.sh"
program=$1
workdir=$2
logdir=$3

start_xvfb 1600x1200x24

background env -C "$workdir" "$program" >"$logdir/stdout" 2>"$logdir/stderr"
wait_for_line "$logdir/stdout" '^world seed' ||
    fail "start-up did not finish: $(cat "$logdir/stderr")"
await window_is "0,0 640x480" || fail "no 640x480 window titled GAME"
hold F7
await window_is "0,0 1280x960" || fail "F7 did not switch to the map view"
hold F12 400 300
wait_for_line "$logdir/stdout" '\.png$' || fail "F12 printed no screenshot path"
hold Escape
wait_for_exit "$pid" || fail "Escape did not end the program"
echo "$status" >"$logdir/status"
