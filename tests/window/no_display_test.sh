#!/usr/bin/env bash
# With no display the program reports that it has no window on stderr, goes
# on running, and Ctrl+C (or SIGTERM) ends it with status 0.
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

for signal in INT TERM; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program" >out.txt 2>err.txt &
    pid=$!
    sleep 1.5
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "program ended by itself with no display"; cat err.txt; exit 1
    fi
    kill -s "$signal" "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid"; echo "SIG$signal did not end the program"; exit 1
    fi
    wait "$pid"; status=$?
    [ "$status" -eq 0 ] || { echo "SIG$signal: exit status $status, want 0"; exit 1; }
    grep -qx 'ERROR: Failed To Register The Window Class.' err.txt ||
        { echo "missing the window-class message on stderr:"; cat err.txt; exit 1; }
done
echo "ok"
