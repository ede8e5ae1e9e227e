#!/usr/bin/env bash
# Hostile files and environments, tried the way a user meets them: FIFOs and a
# pipe where the map and images should be, a second Ctrl+C while start-up is
# stuck, outputs on a full disk, behind a symbolic link or into a FIFO, a
# standard output that is full or closed, an --out that cannot be written, no
# GL driver, and an angle too small for a float. Each case says "ok: ..." or
# fails.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$(realpath "$1")
program=$(realpath "$2")
run_dir=$(realpath "$3")
make_work_folder
cd "$work" || fail "cannot enter $work"

# fresh NAME: a copy of the real data folder to spoil.
fresh() {
    cp -r "$run_dir" "$work/$1"
    echo "$work/$1"
}

# Runs a command for at most 20 s; its status, or 124 when it hung.
limited() { timeout -s KILL 20 "$@"; }

# --- Files that would block an open: FIFOs and a pipe held open --------------
dir=$(fresh fifos)
rm "$dir/map/1.overworld" "$dir/bmp_land/plain.bmp" "$dir/bmp_cube/brickold2.bmp"
mkfifo "$dir/map/1.overworld" "$dir/bmp_land/plain.bmp" "$dir/bmp_cube/brickold2.bmp"
limited "$tool" world --seed 3 --data "$dir" --out "$work/fifo.bin" ||
    fail "world with FIFOs for the map and images: status $?"
mkdir -p "$work/nothing"
cmp -s "$work/fifo.bin" <("$tool" world --seed 3 --data "$work/nothing" --out - 2>/dev/null) ||
    fail "a FIFO map did not read as no map"
limited "$tool" snapshot --seed 3 --data "$dir" --keys F7 --out "$work/fifo.png" ||
    fail "snapshot with FIFOs: status $?"
ok "FIFOs as the map and as images count as missing"

dir=$(fresh stdin_map)
ln -sf /dev/stdin "$dir/map/1.overworld"
# Standard input is a pipe whose writer stays, sending nothing, as in
# `sleep 30 | undercroft-tool ...`, until the command is over; then it goes.
limited "$tool" world --seed 3 --data "$dir" --out "$work/stdin.bin" < <(exec sleep 300)
status=$?
kill "$!" 2>/dev/null
[ $status -eq 0 ] || fail "world with /dev/stdin as the map, a pipe held open: status $status"
cmp -s "$work/stdin.bin" "$work/fifo.bin" || fail "/dev/stdin as the map did not read as no map"
ok "/dev/stdin as the map, a pipe held open, counts as missing"

# The program with no display, in the FIFO folder: start-up ends, and SIGTERM
# ends the loop.
background env -C "$work/fifos" -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program" \
    >"$work/out.txt" 2>"$work/err.txt"
wait_for_line "$work/out.txt" '^world seed' || fail "the program's start-up hangs on FIFOs"
kill -TERM $pid
wait_for_exit $pid || fail "SIGTERM did not end the program in the FIFO folder"
[ $status -eq 0 ] || fail "the program in the FIFO folder exits $status"
ok "the program's start-up passes FIFOs"

# --- A second Ctrl+C or SIGTERM while start-up runs ---------------------------
# With no display the window's message comes once the signals are set; the map
# read and its 1000 ms pause follow. Two signals inside that pause end the
# process at once; one lets start-up finish and the loop end.
start_without_display() {
    background env -C "$run_dir" -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program" \
        >"$work/out.txt" 2>"$work/err.txt"
    wait_for_line "$work/err.txt" 'Window Class' ||
        fail "no window-class message, so no known moment in start-up: $(cat "$work/err.txt")"
}
# Whether process PID has no SIGNAL waiting to be delivered (or has ended).
signal_taken() {
    local bit=$((1 << ($(kill -l "$2") - 1))) mask
    for mask in $(awk '/^(SigPnd|ShdPnd):/ { print $2 }' "/proc/$1/status" 2>/dev/null); do
        (((16#$mask & bit) == 0)) || return 1
    done
}
for signal in INT TERM; do
    start_without_display
    # Signals of one kind do not queue: one sent while the first still waits
    # would merge with it. The second goes once the first is taken.
    kill -s $signal $pid
    await signal_taken $pid $signal || fail "SIG$signal was never taken"
    kill -s $signal $pid
    wait_for_exit $pid || fail "two SIG$signal in start-up did not end it"
    want=$((128 + $(kill -l $signal)))
    [ $status -eq $want ] || fail "two SIG$signal in start-up: status $status, want $want"
    ! grep -q '^world seed' "$work/out.txt" || fail "two SIG$signal: start-up went on to the end"
done
start_without_display
kill -INT $pid
wait_for_exit $pid || fail "one SIGINT in start-up: the program did not end"
[ $status -eq 0 ] || fail "one SIGINT in start-up: status $status, want 0"
grep -q '^world seed' "$work/out.txt" || fail "one SIGINT in start-up did not let it finish"
ok "a second Ctrl+C or SIGTERM in start-up ends it (130, 143); one lets it finish"

# --- Outputs on a full disk (the file-size limit) and behind a symbolic link --
# Each command writes its output once, then again past the limit: the old file
# stays as it was and no temporary file is left beside it.
check_full() {
    local name=$1 out=$2; shift 2
    "$@" >/dev/null 2>&1 || fail "$name: the first write failed"
    local before
    before=$( (cd "$(dirname "$out")" && find . | sort) && sha256sum "$out")
    (ulimit -f 1 && exec "$@") >/dev/null 2>"$work/err.txt"
    local status=$?
    [ $status -eq 2 ] || fail "$name on a full disk: status $status, want 2"
    grep -q 'cannot write' "$work/err.txt" || fail "$name on a full disk said: $(cat "$work/err.txt")"
    [ "$( (cd "$(dirname "$out")" && find . | sort) && sha256sum "$out")" = "$before" ] ||
        fail "$name on a full disk changed its folder"
    ok "$name on a full disk keeps the old file"
}
mkdir -p full
check_full world full/w.bin "$tool" world --seed 4 --data "$run_dir" --out full/w.bin
check_full vox full/d.vox "$tool" vox --seed 4 --data "$run_dir" --out full/d.vox
check_full snapshot full/s.png "$tool" snapshot --seed 4 --data "$run_dir" --view 100,100,0 \
    --keys F7 --out full/s.png
check_full tour full/tour/1-overworld.png "$tool" tour --seed 4 --data "$run_dir" --out full/tour
check_full assets full/art/map/1.overworld "$tool" assets --out full/art

mkdir -p linked/map
echo "not to be touched" >victim
ln -s "$work/victim" linked/map/1.overworld
ln -s "$work/victim" linked/w.bin
"$tool" assets --out linked || fail "assets over a symbolic link: status $?"
"$tool" world --seed 4 --out linked/w.bin || fail "world over a symbolic link: status $?"
[ "$(cat victim)" = "not to be touched" ] || fail "a write followed a symbolic link"
[ -f linked/map/1.overworld ] && [ ! -L linked/map/1.overworld ] && [ ! -L linked/w.bin ] ||
    fail "the symbolic links were not replaced by the files"
ok "outputs replace symbolic links, never follow them"

# A FIFO as --out, its reader waiting: the writability check opened and
# closed it, the reader took that for the end and left with nothing, and the
# write found no reader ("No such device or address", status 2).
mkfifo "$work/out.fifo"
cat "$work/out.fifo" >"$work/from_fifo.bin" &
reader=$!
limited "$tool" world --seed 4 --data "$run_dir" --out "$work/out.fifo" 2>"$work/err.txt" ||
    fail "world into a FIFO: status $? ($(cat "$work/err.txt"))"
wait "$reader" || fail "the FIFO's reader failed"
cmp -s "$work/from_fifo.bin" full/w.bin ||
    fail "the FIFO's reader got $(wc -c <"$work/from_fifo.bin") bytes"
"$tool" world --seed 4 --data "$run_dir" --out "$work/out.fifo" 2>"$work/err.txt"
[ $? -eq 2 ] && grep -q "out.fifo: nothing reads from it" "$work/err.txt" ||
    fail "world into a FIFO nobody reads: $(cat "$work/err.txt")"
ok "a FIFO's reader gets the whole world (11,796,480 bytes); one nobody reads is named"

# --- Standard output full or closed -------------------------------------------
for command in "plan --seed 4" "snapshot --state --out $work/st.png" "tour --out $work/tourfull"; do
    # shellcheck disable=SC2086
    "$tool" $command --data "$run_dir" >/dev/full 2>"$work/err.txt"
    status=$?
    [ $status -eq 2 ] || fail "'$command' to a full stdout: status $status, want 2"
    grep -q 'cannot write to standard output' "$work/err.txt" ||
        fail "'$command' to a full stdout said: $(cat "$work/err.txt")"
done
# The reader is gone before the world is built and the first line written.
"$tool" plan --seed 4 --data "$run_dir" 2>"$work/err.txt" | :
status=${PIPESTATUS[0]}
[ $status -eq 2 ] || fail "plan into a closed pipe: status $status, want 2"
# Started with stdout closed: the null device put there took the data, and
# the command said it succeeded.
for command in "world --seed 4 --out -" "plan --seed 4" "snapshot --state --out $work/st.png"; do
    # shellcheck disable=SC2086
    "$tool" $command --data "$run_dir" >&- 2>"$work/err.txt"
    status=$?
    [ $status -eq 2 ] && grep -qE "standard output( is|: it is) closed" "$work/err.txt" ||
        fail "'$command' with stdout closed: status $status ($(cat "$work/err.txt"))"
done
ok "a full, closed-by-its-reader or closed-from-the-start standard output is reported, status 2"

# --- An --out that cannot be written is found before any work ------------------
# Ten million frames take hours: the limit ends a run that goes through them.
limited "$tool" snapshot --frames 10000000 --out /missing/dir/a.png 2>"$work/err.txt"
status=$?
[ $status -eq 2 ] || fail "an unwritable --out after 10 million frames: status $status"
"$tool" tour --data "$work/no_such_folder" --out "$work/tour_bad" 2>/dev/null
[ $? -eq 2 ] && [ ! -e "$work/tour_bad" ] || fail "tour with a bad --data made its --out folder"
ok "--out is checked first; tour makes nothing when --data is bad"

# --- A number too small for a float -------------------------------------------
state=$("$tool" snapshot --data "$run_dir" --look 1e-40,0 --state --frames 0 --out "$work/tiny.png") ||
    fail "--look 1e-40,0 was refused"
echo "$state" | grep -q '"viewPitch":0,' || fail "--look 1e-40,0: $state"
"$tool" snapshot --look 1e40,0 --out "$work/big.png" 2>/dev/null
[ $? -eq 2 ] || fail "--look 1e40,0 (too large for a float) was taken"
ok "--look takes an angle too small for a float"

# --- No GL driver ---------------------------------------------------------------
# Mesa's loader keeps what it allocated for the driver it could not load; in a
# sanitized build that is not ours to report.
no_driver=(LIBGL_DRIVERS_PATH="$work/no_driver" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0")
env "${no_driver[@]}" "$tool" snapshot --data "$run_dir" --out "$work/nogl.png" \
    >/dev/null 2>"$work/err.txt"
status=$?
[ $status -eq 1 ] || fail "snapshot with no GL driver: status $status, want 1"
[ ! -e "$work/nogl.png" ] || fail "snapshot with no GL driver wrote a picture"
grep -q '^ERROR: Window Creation Error.$' "$work/err.txt" ||
    fail "snapshot with no GL driver said: $(cat "$work/err.txt")"
env "${no_driver[@]}" "$tool" tour --data "$run_dir" --out "$work/nogl_tour" \
    >/dev/null 2>&1
[ $? -eq 1 ] || fail "tour with no GL driver does not fail"
ok "the tool fails when no GL context can be made"

if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    start_xvfb 1280x1024x24

    # No GL driver under X: reported with the window's message, and the loop
    # goes on without a window until SIGTERM. Where the X server has a font
    # for it, the message is also shown in a box and start-up waits until it
    # is closed.
    background env -C "$run_dir" "${no_driver[@]}" "$program" >"$work/out.txt" 2>"$work/err.txt"
    wait_past_error_box "$work/out.txt" ||
        fail "with no GL driver under X start-up did not finish: $(cat "$work/err.txt")"
    # A raw X error ends the process when its reply comes in, after the call
    # that caused it: watch the loop a moment.
    stays_up $pid 0.5 || fail "with no GL driver under X the program died: $(cat "$work/err.txt")"
    kill -TERM $pid
    wait_for_exit $pid || fail "with no GL driver under X SIGTERM did not end the program"
    [ $status -eq 0 ] || fail "with no GL driver under X: status $status"
    grep -q "^ERROR: Can't Create A GL Rendering Context.$" "$work/err.txt" ||
        fail "with no GL driver under X it said: $(cat "$work/err.txt")"
    ok "the program reports a GL context it cannot make and goes on"

    # stdout closed by its reader, then F12: the path is lost and said so on
    # stderr, and the program goes on until Escape. It runs in a copy of the
    # run folder, whose screenshots/ goes with the work folder: the shots of
    # the tests beside this one in the run folder are theirs to remove.
    dir=$(fresh closed_stdout)
    # The reader takes the first line (the world seed) and goes.
    background env -C "$dir" "$program" 2>"$work/err.txt" > >(head -1 >/dev/null)
    wait_for_window >/dev/null || fail "F12 into a closed stdout: no window: $(cat "$work/err.txt")"
    # A press before the reader has gone still lands in the pipe: press until
    # the loss is said.
    for _ in $(seq 10); do
        hold F12 20 20
        wait_for_line "$work/err.txt" 'cannot write to standard output' 1 && break
    done
    ended=false
    for _ in $(seq 10); do
        hold Escape 20 20
        wait_for_exit $pid 1 && ended=true && break
    done
    $ended || fail "F12 into a closed stdout: Escape did not end the program"
    [ $status -eq 0 ] || fail "F12 into a closed stdout: status $status"
    grep -q 'cannot write to standard output: Broken pipe' "$work/err.txt" ||
        fail "F12 into a closed stdout said: $(cat "$work/err.txt")"
    ok "a closed stdout does not end the program (F12, then Escape: status 0)"
else
    echo "skipped: the X server cases (Xvfb or xdotool missing)"
fi
echo "all ok"
