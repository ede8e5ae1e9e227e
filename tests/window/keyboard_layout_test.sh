#!/usr/bin/env bash
# Letter keys by the labels of the user's layout, as Windows reads them, in
# the real window: on a French (AZERTY) and a German (QWERTZ) keyboard, set
# before the program starts, the key labelled M moves the window and the key
# labelled Z flies backward; the keys in US M's and Z's places do neither.
# Usage: keyboard_layout_test.sh PROGRAM RUN_DIR
source "$(dirname "$0")/../lib.sh"
program=$1
run_dir=$2
make_work_folder
cp -r "$run_dir" "$work/data" # its own screenshots/
start_xvfb

shots() { ls "$work/data/screenshots" 2>/dev/null | wc -l; }

# shot: an F12 picture of the frame now; prints its path.
shot() {
    local before
    before=$(shots)
    hold F12 320 240
    await [ "$(shots)" -gt "$before" ] || fail "F12 saved no picture"
    ls -t "$work/data/screenshots"/*.png | head -1
}

# flies KEY: whether holding the key (labelled so on this layout) for a
# second moved the 3D view: the picture after it differs from the one
# before. The view holds still between presses (no button, no key held).
flies() {
    local before after
    before=$(shot)
    xdotool mousemove 320 240 keydown "$1"
    sleep 1 # a second of frames with the key held
    xdotool keyup "$1"
    after=$(shot)
    ! cmp -s "$before" "$after"
}

start_on_layout() {
    setxkbmap "$1" || fail "setxkbmap $1"
    background bash -c 'cd "$1" && exec "$2"' start "$work/data" "$program" \
        >"$work/out.txt" 2>"$work/err.txt"
    wait_for_window >/dev/null || fail "$1: no window: $(cat "$work/err.txt")"
    wait_for_line "$work/out.txt" '^world seed' || fail "$1: start-up did not finish"
    # The camera steps out of the rock in its first second: wait until two
    # pictures in a row agree.
    local previous current
    previous=$(shot)
    for _ in $(seq 20); do
        current=$(shot)
        cmp -s "$previous" "$current" && return 0
        previous=$current
    done
    fail "$1: the view never came to rest"
}

quit() {
    hold Escape
    wait_for_exit "$pid" 10 || fail "Escape did not end the program"
}

# --- French AZERTY: M right of L, a comma in US M's place; Z in US W's place ---------
start_on_layout fr
hold comma 600 400 # US M's place
window_is "0,0 640x480" || fail "AZERTY: the comma key moved the window to $(window_geometry)"
xdotool mousemove 300 200 keydown m
await window_is "300,200 640x480" || fail "AZERTY: M did not move the window: $(window_geometry)"
xdotool keyup m
! flies w || fail "AZERTY: the key labelled W (US Z's place) flew the camera"
flies z || fail "AZERTY: the key labelled Z did not fly the camera"
quit
ok "AZERTY: the keys labelled M and Z act; those in US M's and Z's places do not"

# --- German QWERTZ: Z and Y change places ------------------------------------------
start_on_layout de
! flies y || fail "QWERTZ: the key labelled Y (US Z's place) flew the camera"
flies z || fail "QWERTZ: the key labelled Z did not fly the camera"
xdotool mousemove 200 100 keydown m
await window_is "200,100 640x480" || fail "QWERTZ: M did not move the window: $(window_geometry)"
xdotool keyup m
quit
ok "QWERTZ: the key labelled Z flies, the one labelled Y does not; M moves the window"
echo "all ok"
