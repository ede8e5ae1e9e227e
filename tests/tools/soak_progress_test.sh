#!/usr/bin/env bash
# undercroft-tool soak shows its progress (frames done, resident memory) on
# stderr once a second when stderr is a terminal (here a pseudo-terminal made
# by script(1)), and says nothing there when stderr is a file.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
run_dir=$2
make_work_folder

script -qec "'$tool' soak --seed 2 --frames 600 --data '$run_dir' >/dev/null" "$work/typescript" \
    >/dev/null || fail "soak on a terminal failed"
grep -aq 'soak: [0-9]* of 600 frames, resident memory [0-9.]* MB' "$work/typescript" ||
    fail "no progress on the terminal: $(cat -v "$work/typescript")"

"$tool" soak --seed 2 --frames 600 --data "$run_dir" >/dev/null 2>"$work/err.txt" ||
    fail "soak with stderr in a file failed"
[ ! -s "$work/err.txt" ] || fail "progress went to a file: $(cat "$work/err.txt")"
echo "ok"
