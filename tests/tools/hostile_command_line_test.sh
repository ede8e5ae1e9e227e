#!/usr/bin/env bash
# The tool's command line as a hostile but realistic user writes it: names of
# standard output, numbers with leading zeros or junk, an option where a file
# belongs, outputs that collide with each other or with the inputs (by name or
# through a bind mount), files with permissions to keep, names as long as a
# folder takes, F12 shots that cannot be saved, too little memory, a Ctrl+C
# in the middle of a write, a kernel file as the map, a current folder
# deleted under the tool, and a tool started far from any data folder.
# Usage: hostile_command_line_test.sh TOOL RUN_DIR SLOW_RENAME
source "$(dirname "$0")/../lib.sh"
tool=$(realpath "$1")
run_dir=$(realpath "$2")
slow_rename=$(realpath "$3")
make_work_folder
cd "$work" || fail "no work folder"

# expect_refusal STATUS PATTERN COMMAND...: the command exits with STATUS and
# says something matching PATTERN on stderr.
expect_refusal() {
    local want=$1 pattern=$2
    shift 2
    "$@" >"$work/out.txt" 2>"$work/err.txt"
    local got=$?
    [ "$got" -eq "$want" ] || fail "$*: status $got, want $want ($(cat "$work/err.txt"))"
    grep -q -- "$pattern" "$work/err.txt" || fail "$*: said '$(cat "$work/err.txt")'"
}

# --- Standard output by any of its names ------------------------------------------------
"$tool" world --seed 5 --data "$run_dir" --out reference.bin || fail "world"
for name in - /dev/stdout /dev/fd/1 /proc/self/fd/1; do
    "$tool" world --seed 5 --data "$run_dir" --out "$name" >"aliased.bin" ||
        fail "world --out $name into a file: status $?"
    cmp -s aliased.bin reference.bin || fail "world --out $name did not reach standard output"
done
[ -L /dev/stdout ] || fail "/dev/stdout is no longer the system's link"
expect_refusal 2 "no file is made" "$tool" world --seed 5 --data "$run_dir" --out /dev/undercroft.bin
[ ! -e /dev/undercroft.bin ] || fail "a file was made in /dev"
# /dev/shm is a file system of its own for files: it was refused as /dev.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    shm=/dev/shm/undercroft-hostile-$$.bin
    at_exit rm -f "$shm"
    "$tool" world --seed 5 --data "$run_dir" --out "$shm" && cmp -s "$shm" reference.bin ||
        fail "world --out $shm was refused or differs"
fi
expect_refusal 2 "both write to standard output" \
    "$tool" snapshot --data "$run_dir" --state --out -
ok "--out - and the names of standard output write into it; nothing is made in /dev"

# --- Numbers are decimal -----------------------------------------------------------------
"$tool" world --seed 010 --data "$run_dir" --out ten.bin || fail "--seed 010"
"$tool" world --seed 10 --data "$run_dir" --out decimal.bin || fail "--seed 10"
cmp -s ten.bin decimal.bin || fail "--seed 010 did not build seed 10's world"
"$tool" plan --seed 3 --data "$run_dir" --level 09 >level09.txt || fail "--level 09"
"$tool" plan --seed 3 --data "$run_dir" --level 9 >level9.txt || fail "--level 9"
cmp -s level09.txt level9.txt || fail "--level 09 is not level 9"
expect_refusal 2 "010 is out of range (1 to 9)" "$tool" plan --seed 3 --data "$run_dir" --level 010
expect_refusal 2 "'5junk' has 'junk' after the number" "$tool" world --seed 5junk --out j.bin
expect_refusal 2 "'0x10' has 'x10' after the number" "$tool" world --seed 0x10 --out j.bin
expect_refusal 2 "--frames: 'x' is not a decimal number" "$tool" snapshot --frames x --out j.png
# Angles too: strtof took hexadecimal and leading spaces.
for look in 0x1p127,0 " 5,0" 5,inf nan,0 1e,0 .,0; do
    expect_refusal 2 "--look: wants YAW,PITCH" "$tool" snapshot --look "$look" --out j.png
done
state=$("$tool" snapshot --data "$run_dir" --look -1.5e1,.5 --state --frames 0 --out j.png) &&
    grep -q '"viewYaw":-15,"viewPitch":0.5,' <<<"$state" || fail "--look -1.5e1,.5: $state"
# A value holding a newline kept the error one line only in part.
"$tool" world --seed $'5\nx' --out j.bin 2>"$work/err.txt"
[ "$(wc -l <"$work/err.txt")" -eq 1 ] && grep -qF "'5\\nx' has" "$work/err.txt" ||
    fail "a newline in a value: $(cat "$work/err.txt")"
ok "numbers are decimal: 010 is ten, junk after a number is named; angles take no hex or spaces"

# --- Where a file belongs, an option is no file name ------------------------------------
expect_refusal 2 "not the option --state" "$tool" snapshot --data "$run_dir" --out --state
[ ! -e ./--state ] || fail "snapshot --out --state wrote a file named --state"
ok "--out never takes an option as its value"

# --- Outputs may not overwrite each other or the inputs ---------------------------------
expect_refusal 2 "is a file --out writes too" \
    "$tool" assets --out art --icon art/bmp_cube/grass3.bmp
[ ! -e art ] || fail "assets made its folder although its outputs collide"
expect_refusal 2 "is a file --sheet writes too" \
    "$tool" assets --out art2 --sheet same.png --icon same.png
cp -r "$run_dir" data
expect_refusal 2 "which this command reads" \
    "$tool" world --seed 5 --data data --out data/map/1.overworld
cmp -s data/map/1.overworld "$run_dir/map/1.overworld" || fail "the map was overwritten"
expect_refusal 2 "which this command reads" \
    "$tool" snapshot --data data --out data/bmp_land/plain.bmp
expect_refusal 2 "it is a folder" "$tool" world --seed 5 --data "$run_dir" --out .
# The data folder bind-mounted elsewhere (a private mount namespace, where
# root may make one): the same map by another name, renamed over.
if unshare -m true 2>/dev/null; then
    mkdir -p mirror
    unshare -m sh -c 'mount --bind "$1" "$2" && exec "$3" world --seed 5 --data "$1" \
        --out "$2/map/1.overworld"' - data mirror "$tool" 2>"$work/err.txt"
    status=$?
    [ "$status" -eq 2 ] && grep -q "which this command reads" "$work/err.txt" ||
        fail "the map through a bind mount: status $status ($(cat "$work/err.txt"))"
    cmp -s data/map/1.overworld "$run_dir/map/1.overworld" ||
        fail "the map was overwritten through a bind mount"
else
    echo "skipped: the map through a bind mount (no mount namespace here)"
fi
ok "outputs that would overwrite another output, an input or a folder are refused"

# --- Names as long as a folder takes ------------------------------------------------------
# The temporary name added ".part-PID-N" to a valid name: 254 letters were
# "File name too long". 250 and 255 letters, and 127 two-byte letters.
for name in "$(printf 'a%.0s' {1..250})" "$(printf 'b%.0s' {1..255})" \
    "$(printf 'я%.0s' {1..127})"; do
    "$tool" world --seed 5 --data "$run_dir" --out "$name" 2>"$work/err.txt" &&
        cmp -s "$name" reference.bin || fail "a ${#name}-letter name: $(cat "$work/err.txt")"
    rm "$name"
done
[ -z "$(find . -maxdepth 1 -name '.*.part-*')" ] || fail "a long name left a temporary file"
ok "names of 250 and 255 letters are written, none left beside them"

# --- A replaced file keeps its permissions; a write-protected one is kept -----------------
"$tool" snapshot --data "$run_dir" --out private.png || fail "snapshot"
chmod 600 private.png
"$tool" snapshot --data "$run_dir" --keys F7 --out private.png || fail "snapshot over a 0600 file"
[ "$(stat -c %a private.png)" = 600 ] || fail "a 0600 picture became $(stat -c %a private.png)"
cp reference.bin kept.bin
chmod 444 kept.bin
expect_refusal 2 "left as it is" "$tool" world --seed 6 --data "$run_dir" --out kept.bin
cmp -s kept.bin reference.bin || fail "a write-protected file was replaced"
ok "a replaced file keeps its mode (600); a write-protected one is refused and kept"

# --- F12 shots that cannot be saved fail the command --------------------------------------
mkdir shots_blocked && cd shots_blocked || fail "no folder"
echo "not a folder" >screenshots
expect_refusal 2 "^undercroft-tool: cannot save screenshot" \
    "$tool" snapshot --data "$run_dir" --keys F12 --out ../shot.png
rm screenshots
ln -s "$work/nowhere" screenshots
expect_refusal 2 "a symbolic link to $work/nowhere, which does not exist" \
    "$tool" snapshot --data "$run_dir" --keys F12 --out ../shot.png
cd "$work" || fail "no work folder"
ok "an F12 shot that cannot be saved exits 2 in the tool's name; a dangling link is named"

# --- Too little memory ---------------------------------------------------------------------
# AddressSanitizer reserves terabytes of address space up front: a sanitized
# tool cannot start under any such limit.
if ldd "$tool" | grep -q libasan; then
    echo "skipped: the memory limit (a sanitized tool cannot start under one)"
else
    (ulimit -v 60000 && exec "$tool" vox --seed 5 --data "$run_dir" --out small.vox) \
        >/dev/null 2>"$work/err.txt"
    status=$?
    case $status in
    0) ;; # enough after all
    1) grep -q "^undercroft-tool: out of memory" "$work/err.txt" ||
        fail "out of memory said: $(cat "$work/err.txt")" ;;
    *) fail "vox under a memory limit: status $status ($(cat "$work/err.txt"))" ;;
    esac
    ok "memory that cannot be had ends a command with status $status, not an abort"
fi

# --- Ctrl+C in the middle of a write --------------------------------------------------------
# slow_rename holds every rename for two seconds, so the signal lands while
# the finished world still lies under its temporary name. The tool is given
# Ctrl+C's default action: a command started in a script's background
# ignores it.
for signal in INT TERM HUP; do
    background env --default-signal=INT LD_PRELOAD="$slow_rename" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" \
        "$tool" world --seed 5 --data "$run_dir" --out interrupted.bin
    await --timeout 30 eval '[ -n "$(find . -name ".interrupted.bin.part-*")" ]' ||
        fail "world never wrote its temporary file"
    kill -"$signal" "$pid"
    wait_for_exit "$pid" 20 || fail "world did not end on SIG$signal"
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: status $status"
    leftovers=$(find . -name '.interrupted.bin.part-*')
    [ -z "$leftovers" ] || fail "SIG$signal in the middle of a write left $leftovers"
    [ ! -e interrupted.bin ] || fail "SIG$signal: the unfinished world took its name"
done
ok "Ctrl+C, SIGTERM or SIGHUP in the middle of a write leave no temporary file"

# --- A kernel file that looks regular but blocks, as the map --------------------------------
if [ -r /proc/kmsg ]; then
    cp -r "$run_dir" kmsg
    rm kmsg/map/1.overworld
    ln -s /proc/kmsg kmsg/map/1.overworld
    timeout -s KILL 20 "$tool" world --seed 5 --data kmsg --out kmsg.bin 2>"$work/err.txt" ||
        fail "world with /proc/kmsg as the map: status $? ($(cat "$work/err.txt"))"
    grep -q "cannot read map/1.overworld" "$work/err.txt" || fail "/proc/kmsg as the map: $(cat "$work/err.txt")"
    ok "/proc/kmsg as the map is named and read as no map, without waiting"
else
    echo "skipped: /proc/kmsg cannot be opened here"
fi

# --- A current folder deleted under the tool ---------------------------------------------
# Relative outputs counted from the data folder the tool changed into:
# tour wrote its pictures there, snapshot's F12 its shots.
cp -r "$run_dir" kept_data
before=$(cd kept_data && find . | sort)
mkdir gone && cd gone && rmdir ../gone || fail "no folder to delete"
expect_refusal 2 "the current folder cannot be found" \
    "$tool" tour --seed 1 --data "$work/kept_data" --out rel
expect_refusal 2 "the folder the program was started in cannot be found" \
    "$tool" snapshot --data "$work/kept_data" --keys F12 --out "$work/gone.png"
cd "$work" || fail "no work folder"
[ "$(cd kept_data && find . | sort)" = "$before" ] || fail "the data folder changed"
ok "from a deleted current folder, tour --out rel and F12 are refused; the data folder is unchanged"

# --- Far from any data folder ------------------------------------------------------------
# A copy of the tool with nothing beside it, started in an empty folder: no
# data folder to choose, so it asks for --data instead of drawing blanks.
mkdir -p alone/bin empty
cp "$tool" alone/bin/
cd empty || fail "no folder"
expect_refusal 2 "name the data folder with --data DIR" "$work/alone/bin/undercroft-tool" tour --out t
[ ! -e t ] || fail "tour made its folder with no data folder"
# Installed: the data in share/undercroft beside the tool's folder.
mkdir -p "$work/alone/share"
cp -r "$run_dir" "$work/alone/share/undercroft"
"$work/alone/bin/undercroft-tool" plan --seed 5 --level 1 >plan.txt 2>"$work/err.txt" ||
    fail "the installed tool's plan: $(cat "$work/err.txt")"
grep -q "^undercroft-tool: data from $work/alone/share/undercroft$" "$work/err.txt" ||
    fail "the installed tool did not say where its data is: $(cat "$work/err.txt")"
cd "$work" || fail "no work folder"
ok "with no data folder the tool asks for --data; installed, it finds share/undercroft"

# --- --help says what each command needs --------------------------------------------------
for command in world plan vox soak; do
    "$tool" "$command" --help | grep -A1 -- '--seed' | grep -q 'required' ||
        fail "$command --help does not say --seed is required"
done
for command in snapshot tour; do
    "$tool" "$command" --help | grep -A1 -- '--seed' | grep -q 'default: the clock' ||
        fail "$command --help does not say the clock seeds it"
done
ok "--help says which commands need --seed"
echo "all ok"
