#!/usr/bin/env bash
# The Windows build under Wine in an Xvfb X server: the portable suites as
# Windows programs, the real undercroft.exe driven with xdotool, and the tool
# against the Linux one (the same world bytes, the same map-view pixels).
# Usage: run_wine_tests.sh WINDOWS_BUILD LINUX_BUILD LABEL
source "$(dirname "$0")/../lib.sh"
win=$(realpath "$1")
linux=$(realpath "$2")
label=$3
TEST_LABEL=$label
run_dir=$linux/run
png_tool=$linux/tests/png_tool
make_work_folder
export WINEPREFIX=$work/prefix WINEDEBUG=-all

# Wine's own tools (wineboot, winepath) and the 64-bit programs run through
# the 64-bit loader, directly: the `wine` launcher and the tools' scripts go
# through the 32-bit loader, which a kernel without IA-32 emulation cannot
# run; and a 64-bit program started through the 32-bit launcher becomes a
# child of it rather than one process. Only the 32-bit programs need the
# 32-bit loader.
wine64=/usr/lib/wine/wine64
wine=$wine64
[ "$label" = win32 ] && wine=/usr/lib/wine/wine

# say_wine LOG WHAT: a Wine step failed; show what Wine said, then fail.
say_wine() {
    echo "--- what Wine said ($2):"
    tail -30 "$1" | tr -d '\r'
    fail "$2"
}

start_xvfb 1600x1200x24
at_exit wineserver -k # Wine's server for the prefix, before the folder goes

# One prefix for the whole run; Wine's own services start once, detached,
# so no later program's pipes wait on them.
"$wine64" wineboot.exe -i </dev/null >"$work/wineboot.log" 2>&1 ||
    say_wine "$work/wineboot.log" "making the Wine prefix (wineboot -i, status $?)"
wineserver -p
"$wine64" wineboot.exe </dev/null >"$work/wineboot.log" 2>&1 ||
    say_wine "$work/wineboot.log" "starting Wine's services (wineboot, status $?)"
# A second program for the focus checks, starting while the suites run.
background "$wine64" notepad </dev/null >/dev/null 2>&1

# --- The portable suites ------------------------------------------------------
for suite in world assets draw2d camera; do
    program=$win/tests/windows/${suite}_tests.exe
    [ -f "$program" ] || continue
    (cd "$run_dir" && "$wine" "$program") </dev/null >"$work/$suite.log" 2>&1 ||
        say_wine "$work/$suite.log" "the $suite suite (status $?)"
    ok "$suite suite: $(grep -a 'PASSED' "$work/$suite.log" | tr -d '\r')"
done

# --- The same world and the same map view as on Linux ---------------------------
for seed in 1 5 77; do
    for data in "$run_dir" "$work/no_map"; do
        mkdir -p "$work/no_map"
        "$wine" "$win/undercroft-tool.exe" world --seed $seed --data "$data" --out "$work/w.bin" \
            </dev/null >"$work/wine.log" 2>&1 || say_wine "$work/wine.log" "world --seed $seed"
        # The folder without a map has no images either, which the tool says.
        "$linux/undercroft-tool" world --seed $seed --data "$data" --out "$work/l.bin" \
            2>"$work/linux.log" || fail "the Linux tool's world: $(cat "$work/linux.log")"
        cmp -s "$work/w.bin" "$work/l.bin" || fail "world --seed $seed ($data) differs from Linux"
    done
done
ok "world writes the Linux tool's bytes (seeds 1, 5, 77; with and without a map)"

view=(--seed 5 --view 100,100,0 --keys F7,Rightx3,Upx2 --mouse 200,100)
"$wine" "$win/undercroft-tool.exe" snapshot "${view[@]}" --data "$run_dir" --out "$work/w.png" \
    </dev/null >"$work/wine.log" 2>&1 || say_wine "$work/wine.log" "snapshot of the map view"
"$linux/undercroft-tool" snapshot "${view[@]}" --data "$run_dir" --out "$work/l.png" ||
    fail "the Linux tool's snapshot"
difference=$("$png_tool" same "$work/w.png" "$work/l.png" 2>&1) ||
    fail "the map view's pixels differ from Linux: $difference"
ok "a map-view snapshot has the Linux tool's pixels"

# The 3D view in a hidden window: the background key is probed, so no pixel
# of the clear colour (255, 0, 229 or 230) reaches the picture.
"$wine" "$win/undercroft-tool.exe" snapshot --seed 5 --view 30,30,3 --look 0,-120 \
    --data "$run_dir" --out "$work/3d.png" </dev/null >"$work/wine.log" 2>&1 ||
    say_wine "$work/wine.log" "3D snapshot"
"$png_tool" pixels "$work/3d.png" | { read -r _size && od -An -v -tu1 -w3; } |
    awk '$1 == 255 && $2 == 0 && ($3 == 229 || $3 == 230) { key++ } $1 + $2 + $3 > 0 { drawn++ }
         END { exit !(key == 0 && drawn > 1000) }' ||
    fail "the 3D picture shows the clear colour or nothing"
ok "the 3D view renders in a hidden window, background keyed out"

# --- Names and files a Windows user meets -------------------------------------------
# Names outside the system's code page reached the tool as "??????", and every
# F12 of a program started in a Cyrillic folder failed; an output named in
# another letter case than an input replaced it; a map that is a folder was
# "Permission denied"; NUL was refused.
wine_tool() {
    (cd "$work" && "$wine" "$win/undercroft-tool.exe" "$@") </dev/null >"$work/wine.log" 2>&1
}
cp -r "$run_dir" "$work/данные" && cp -r "$run_dir" "$work/日本語" || fail "no copies of the data"
"$linux/undercroft-tool" world --seed 5 --data "$run_dir" --out "$work/l5.bin" 2>/dev/null ||
    fail "the Linux tool's world"
for data in данные 日本語; do
    wine_tool world --seed 5 --data "$data" --out ünï日本.bin ||
        say_wine "$work/wine.log" "--data $data"
    cmp -s "$work/ünï日本.bin" "$work/l5.bin" || fail "world --data $data differs from Linux"
done
ok "--data данные and 日本語 with --out ünï日本.bin write the Linux tool's world"

inputs=$(cd "$work/данные" && sha256sum map/1.overworld bmp_land/plain.bmp)
for case in "world --seed 5 --out данные/MAP/1.OVERWORLD" \
    "world --seed 5 --out данные/Map/1.overworld." "snapshot --seed 5 --out данные/BMP_LAND/PLAIN.BMP"; do
    # shellcheck disable=SC2086
    wine_tool $case --data данные
    status=$?
    [ "$status" -eq 2 ] && grep -q "which this command reads" "$work/wine.log" ||
        fail "$case: status $status: $(tr -d '\r' <"$work/wine.log")"
done
[ "$(cd "$work/данные" && sha256sum map/1.overworld bmp_land/plain.bmp)" = "$inputs" ] ||
    fail "an output in another letter case changed an input"
ok "outputs naming an input in another letter case are refused; the inputs are unchanged"

cp -r "$run_dir" "$work/folder_map" && rm "$work/folder_map/map/1.overworld" &&
    mkdir "$work/folder_map/map/1.overworld" || fail "no folder for a map"
wine_tool world --seed 5 --data folder_map --out fm.bin || say_wine "$work/wine.log" "a folder map"
grep -q "cannot read map/1.overworld: a folder, not a file" "$work/wine.log" ||
    fail "a map that is a folder: $(tr -d '\r' <"$work/wine.log")"
wine_tool world --seed 5 --data "$run_dir" --out NUL || say_wine "$work/wine.log" "--out NUL"
ok "a map that is a folder is named as one; --out NUL is written into"

# The real program started in a folder named in Cyrillic, its data there.
game_dir=$work/Дмитрий/undercroft
mkdir -p "$game_dir" && cp -r "$run_dir"/. "$game_dir" && rm -rf "$game_dir/screenshots" ||
    fail "no Cyrillic folder"
background bash -c 'cd "$1" && exec "$2" "$3"' start "$game_dir" "$wine" "$win/undercroft.exe" \
    </dev/null >"$work/out.txt" 2>"$work/err.txt"
wait_for_line "$work/out.txt" 'world seed' 30 ||
    fail "start-up in $game_dir: $(cat "$work/err.txt")"
for _ in $(seq 5); do
    hold F12 20 20
    wait_for_line "$work/out.txt" '\.png' 1 && break
done
shot=$(find "$game_dir/screenshots" -name '*.png' 2>/dev/null | head -1)
[ -n "$shot" ] && [ "$("$png_tool" size "$shot")" = 320x240 ] &&
    grep -q 'Дмитрий\\undercroft\\screenshots' "$work/out.txt" ||
    fail "F12 in $game_dir: $(tr -d '\r' <"$work/out.txt") $(tr -d '\r' <"$work/err.txt")"
status=
for _ in $(seq 5); do
    hold Escape 300 200
    wait_for_exit "$pid" 2 && break
done
[ "${status:-}" = 0 ] || fail "Escape did not end the program in $game_dir"
ok "F12 in a Cyrillic folder saves its shot there, its path printed in UTF-8"

# --- The real program, driven as a user drives it --------------------------------
# Keys go to the window under the pointer (there is no window manager to
# give it the focus); a key held under half a second does not repeat.
hold_seconds=0.4

# Notepad takes the focus from the game in the checks below: out of the way,
# where the game's 640 x 480 window never reaches. (Wine sees no key typed
# into a window of no Wine program, so the other program is a Wine one.)
notepad=$(wait_for_window 'Untitled - Notepad') || fail "Notepad did not open"
xdotool windowsize "$notepad" 400 300 windowmove "$notepad" 1000 800
notepad_at=(1200 950)

start_program() {
    background bash -c 'cd "$1" && exec "$2" "$3" "${@:4}"' start "$run_dir" "$wine" \
        "$win/undercroft.exe" "$@" </dev/null >"$work/out.txt" 2>"$work/err.txt"
    wait_for_line "$work/out.txt" 'world seed' 30 ||
        fail "start-up did not finish: $(cat "$work/err.txt")"
}
wait_exit() {
    wait_for_exit "$pid" 10 || fail "$1: the program is still running"
    [ "$status" -eq 0 ] || fail "$1: exit status $status, want 0"
    ok "$1 ends the program with status 0"
}

start_program
expect_geometry "0,0 640x480" "start-up"
[ "$(xdotool search --onlyvisible --name '^GAME$' | wc -l)" -eq 1 ] ||
    fail "more than one window titled GAME"
hold F7 20 20; expect_geometry "0,0 1280x960" "F7 (640 x 480 at scale 2)"
hold F1 20 20; expect_geometry "0,0 640x480" "F1 (640 x 480 at scale 1)"
hold F6 20 20; expect_geometry "0,0 640x480" "F6 (320 x 240 at scale 2)"
# A reopened window can take a moment to take keys again (Wine destroys the
# old one slowly without a window manager): press until a path is printed.
for _ in $(seq 5); do
    hold F12 20 20
    wait_for_line "$work/out.txt" '\.png' 1 && break
done
shot=$(grep -a '\.png' "$work/out.txt" | tr -d '\r' | tail -1)
shot_file=$("$wine64" winepath.exe -u "$shot" 2>"$work/winepath.log") ||
    say_wine "$work/winepath.log" "winepath -u '$shot'"
shot_file=${shot_file%$'\r'}
[ "$("$png_tool" size "$shot_file" 2>/dev/null)" = 320x240 ] ||
    fail "F12 saved no 320 x 240 picture (printed '$shot')"
rm -f "$shot_file"
ok "F12 saves the frame as a PNG through the Windows encoder"
xdotool mousemove 100 100 keydown m
expect_geometry "100,100 640x480" "M with the cursor at 100,100"
xdotool mousemove 300 200
expect_geometry "300,200 640x480" "M held, the cursor moved to 300,200"
hold F7 300 200
expect_geometry "300,200 1280x960" "M held through a reopening (F7)"
xdotool keyup m
hold F6 400 300; expect_geometry "0,0 640x480" "F6 again"

# Once a click has given Notepad the focus, what is typed into it is its own,
# and a press there is not taken later, when the focus is back.
shots=$(grep -ac '\.png' "$work/out.txt")
# The click comes twice: the reopening just before may still be bringing
# the game's window to the front when the first one lands.
xdotool mousemove "${notepad_at[@]}" click 1 sleep 0.5 click 1
hold m "${notepad_at[@]}"
[ "$(window_geometry)" = "0,0 640x480" ] || fail "M typed into Notepad moved the window: $(window_geometry)"
hold F12 "${notepad_at[@]}"
hold Escape "${notepad_at[@]}"
stays_up "$pid" 1 || fail "Escape typed into Notepad ended the program"
ok "M and Escape typed into another program's window do not act"
xdotool mousemove 400 300 click 1
hold Escape 400 300
wait_exit "Escape, once a click has given the window the focus back,"
[ "$(grep -ac '\.png' "$work/out.txt")" -eq "$shots" ] ||
    fail "F12 typed into Notepad saved a picture: $(grep -a '\.png' "$work/out.txt" | tail -1)"
ok "F12 typed into Notepad saves no picture, then or once the focus is back"

start_program --seed 5
expect_geometry "0,0 640x480" "start-up again"
grep -aq '^world seed 5' "$work/out.txt" || fail "--seed 5 printed: $(cat "$work/out.txt")"
ok "--seed 5 builds the world of seed 5"
xdotool mousemove 20 20 key F1
expect_geometry "0,0 320x240" "a tap of F1, shorter than a frame"
"$linux/tests/send_wm_delete" "$(window_id)"
wait_exit "a window-manager close"

# With no OpenGL driver the opening fails: the program says so on stderr,
# shows no message box (Wine's window system is unusable after that, see
# platform/win32/window.cpp) and runs on without a window; Escape, read from
# the system's key state while no window is open, still ends it.
LIBGL_ALWAYS_INDIRECT=1 LIBGL_DRIVERS_PATH=/nonexistent start_program
said=$(grep -a '^ERROR: ' "$work/err.txt" | tr -d '\r')
[ -n "$said" ] || fail "no OpenGL driver: no ERROR line on stderr: $(cat "$work/err.txt")"
! grep -aq 'SHUTDOWN ERROR' "$work/err.txt" || fail "no OpenGL driver: $(grep -a 'SHUTDOWN' "$work/err.txt")"
stays_up "$pid" 1 || fail "no OpenGL driver: the program ended by itself: $(cat "$work/err.txt")"
ok "no OpenGL driver: '$said', and the program runs on"
hold Escape "${notepad_at[@]}"
wait_exit "with no window, Escape typed into Notepad"
echo "all ok ($label)"
