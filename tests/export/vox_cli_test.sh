#!/usr/bin/env bash
# undercroft-tool vox as a user runs it: a one-cell box, the --out path kept
# relative to the start folder, and every bad box or option refused with one
# line and exit status 2, writing nothing.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
data=$2
make_work_folder
cd "$work" || fail "cannot enter $work"

# Little-endian 32-bit integer at a byte offset.
int_at() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }

"$tool" vox --seed 1 --data "$data" --region 20,20,20,20,20,20 --out one.vox ||
    fail "a one-cell box failed"
[ "$(head -c 4 one.vox)" = "VOX " ] || fail "one.vox does not start with VOX"
[ "$(int_at one.vox 32)$(int_at one.vox 36)$(int_at one.vox 40)" = 111 ] || fail "one.vox is not 1x1x1"
# Cell (20, 20, 20) is rock, so one voxel: 20 + 24 (SIZE) + 20 (XYZI) + 1036 (RGBA) bytes.
[ "$(stat -c %s one.vox)" -eq 1100 ] || fail "one.vox is $(stat -c %s one.vox) bytes"
[ "$(int_at one.vox 56)" = 1 ] || fail "one.vox holds $(int_at one.vox 56) voxels"

for bad in "--region 0,0,0,10,10" "--region 0,0,0,10,10,10,10" "--region a,0,0,10,10,10" \
           "--region 10,0,0,9,10,10" "--region 0,10,0,10,9,10" "--region 0,0,5,10,10,4" \
           "--region -1,0,0,10,10,10" "--region 0,0,0,256,10,10" "--region 0,0,0,10,10,180" \
           "--region 0,0,0,300,300,300" "--bogus 1" "--seed -1" "--region" "--seed" \
           "--data $work/missing" "--out $work/missing/e.vox"; do
    # shellcheck disable=SC2086
    "$tool" vox --seed 1 --data "$data" --out e.vox $bad 2>err.txt >/dev/null
    status=$?
    [ "$status" -eq 2 ] || fail "'vox $bad' exits $status, want 2"
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "'vox $bad' printed $(wc -l <err.txt) error lines"
done
"$tool" vox --data "$data" --out e.vox 2>err.txt; [ $? -eq 2 ] || fail "no --seed does not exit 2"
"$tool" vox --seed 1 --data "$data" 2>err.txt; [ $? -eq 2 ] || fail "no --out does not exit 2"
grep -q 'needs --out' err.txt || fail "no --out: $(cat err.txt)"
[ ! -e e.vox ] || fail "a refused command wrote e.vox"
echo "all ok"
