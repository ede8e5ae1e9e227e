#!/usr/bin/env bash
# Hostile files and environments, tried the way a user meets them: FIFOs and a
# pipe where the map and images should be, a second Ctrl+C while start-up is
# stuck, outputs on a full disk or behind a symbolic link, a standard output
# that is full or closed, an --out that cannot be written, no GL driver, and
# an angle too small for a float. Each case says "ok: ..." or fails.
set -u
tool=$(realpath "$1")
program=$(realpath "$2")
run_dir=$(realpath "$3")
work=$(mktemp -d)
cleanup() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    [ -n "${holder:-}" ] && kill "$holder" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1
fail() { echo "FAIL: $*"; exit 1; }
ok() { echo "ok: $*"; }

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
cmp -s "$work/fifo.bin" <("$tool" world --seed 3 --out /dev/stdout) ||
    fail "a FIFO map did not read as no map"
limited "$tool" snapshot --seed 3 --data "$dir" --keys F7 --out "$work/fifo.png" ||
    fail "snapshot with FIFOs: status $?"
ok "FIFOs as the map and as images count as missing"

dir=$(fresh stdin_map)
ln -sf /dev/stdin "$dir/map/1.overworld"
sleep 30 | limited "$tool" world --seed 3 --data "$dir" --out "$work/stdin.bin" ||
    fail "world with /dev/stdin as the map, a pipe held open: status $?"
ok "/dev/stdin as the map, a pipe held open, counts as missing"

# The program with no display, in the FIFO folder: start-up ends, and SIGTERM
# ends the loop.
(cd "$work/fifos" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program") \
    >"$work/out.txt" 2>"$work/err.txt" &
pid=$!
for _ in $(seq 100); do grep -q '^world seed' "$work/out.txt" && break; sleep 0.1; done
grep -q '^world seed' "$work/out.txt" || { kill -9 $pid; fail "the program's start-up hangs on FIFOs"; }
kill -TERM $pid; wait $pid; status=$?
[ $status -eq 0 ] || fail "the program in the FIFO folder exits $status"
ok "the program's start-up passes FIFOs"

# --- A second Ctrl+C or SIGTERM while start-up runs ---------------------------
# With no display the window's message comes once the signals are set; the map
# read and its 1000 ms pause follow. Two signals inside that pause end the
# process at once; one lets start-up finish and the loop end.
start_without_display() {
    (cd "$run_dir" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program") \
        >"$work/out.txt" 2>"$work/err.txt" &
    pid=$!
    for _ in $(seq 100); do grep -q 'Window Class' "$work/err.txt" && break; sleep 0.05; done
}
for signal in INT TERM; do
    start_without_display
    kill -s $signal $pid; sleep 0.1; kill -s $signal $pid
    wait $pid; status=$?
    want=$((128 + $(kill -l $signal)))
    [ $status -eq $want ] || fail "two SIG$signal in start-up: status $status, want $want"
    ! grep -q '^world seed' "$work/out.txt" || fail "two SIG$signal: start-up went on to the end"
done
start_without_display
kill -INT $pid
wait $pid; status=$?
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
ok "a full or closed standard output is reported, status 2"

# --- An --out that cannot be written is found before any work ------------------
start=$(date +%s)
"$tool" snapshot --frames 10000000 --out /missing/dir/a.png 2>"$work/err.txt"
status=$?
[ $status -eq 2 ] && [ $(($(date +%s) - start)) -lt 5 ] ||
    fail "an unwritable --out after 10 million frames: status $status"
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
no_driver=(env LIBGL_DRIVERS_PATH="$work/no_driver" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0")
"${no_driver[@]}" "$tool" snapshot --data "$run_dir" --out "$work/nogl.png" \
    >/dev/null 2>"$work/err.txt"
status=$?
[ $status -eq 1 ] || fail "snapshot with no GL driver: status $status, want 1"
[ ! -e "$work/nogl.png" ] || fail "snapshot with no GL driver wrote a picture"
grep -q '^ERROR: Window Creation Error.$' "$work/err.txt" ||
    fail "snapshot with no GL driver said: $(cat "$work/err.txt")"
"${no_driver[@]}" "$tool" tour --data "$run_dir" --out "$work/nogl_tour" \
    >/dev/null 2>&1
[ $? -eq 1 ] || fail "tour with no GL driver does not fail"
ok "the tool fails when no GL context can be made"

if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -1 "$work/display")
    unset SDL_VIDEODRIVER

    # No GL driver under X: reported with the window's message, and the loop
    # goes on without a window until SIGTERM.
    (cd "$run_dir" && exec "${no_driver[@]}" "$program") \
        >"$work/out.txt" 2>"$work/err.txt" &
    pid=$!
    for _ in $(seq 100); do grep -q '^world seed' "$work/out.txt" && break; sleep 0.1; done
    sleep 0.5
    kill -0 $pid 2>/dev/null || fail "with no GL driver under X the program died: $(cat "$work/err.txt")"
    kill -TERM $pid; wait $pid; status=$?
    [ $status -eq 0 ] || fail "with no GL driver under X: status $status"
    grep -q "^ERROR: Can't Create A GL Rendering Context.$" "$work/err.txt" ||
        fail "with no GL driver under X it said: $(cat "$work/err.txt")"
    ok "the program reports a GL context it cannot make and goes on"

    # stdout closed by its reader, then F12: the path is lost and said so on
    # stderr, and the program goes on until Escape.
    shots_before=$(ls "$run_dir/screenshots" 2>/dev/null | wc -l)
    ( (cd "$run_dir" && exec "$program") 2>"$work/err.txt"; echo $? >"$work/status" ) | head -1 >/dev/null &
    for _ in $(seq 100); do xdotool search --name '^GAME$' >/dev/null 2>&1 && break; sleep 0.1; done
    # A slow (sanitized) frame may miss a short press: press until it is said.
    for _ in $(seq 10); do
        xdotool mousemove 20 20; xdotool keydown F12; sleep 0.4; xdotool keyup F12; sleep 0.5
        grep -q 'cannot write to standard output' "$work/err.txt" && break
    done
    for _ in $(seq 10); do
        xdotool keydown Escape; sleep 0.4; xdotool keyup Escape
        for _ in $(seq 10); do [ -s "$work/status" ] && break 2; sleep 0.1; done
    done
    [ "$(cat "$work/status" 2>/dev/null)" = 0 ] || fail "F12 into a closed stdout: status $(cat "$work/status" 2>/dev/null)"
    grep -q 'cannot write to standard output: Broken pipe' "$work/err.txt" ||
        fail "F12 into a closed stdout said: $(cat "$work/err.txt")"
    find "$run_dir/screenshots" -newer "$work/display" -name '*.png' -delete 2>/dev/null
    ok "a closed stdout does not end the program (F12, then Escape: status 0)"
else
    echo "skipped: the X server cases (Xvfb or xdotool missing)"
fi
echo "all ok"
