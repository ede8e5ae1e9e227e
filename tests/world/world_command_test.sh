#!/usr/bin/env bash
# undercroft-tool world and plan as a user runs them: the same seed writes the
# same grid byte for byte, the map is read from the data folder, the plan is
# printed as text, and every kind of bad input exits 2 with one line.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
make_work_folder
cd "$work" || fail "cannot enter $work"

"$tool" world --seed 99 --out a.bin || fail "world --seed 99 failed"
"$tool" world --seed 99 --out b.bin || fail "second world --seed 99 failed"
[ "$(stat -c %s a.bin)" -eq 11796480 ] || fail "a.bin is $(stat -c %s a.bin) bytes"
cmp -s a.bin b.bin || fail "the same seed wrote different grids"
"$tool" world --seed 100 --out c.bin || fail "world --seed 100 failed"
cmp -s a.bin c.bin && fail "seeds 99 and 100 wrote the same grid"

# The map comes from the data folder; --out stays relative to where we started.
mkdir -p data/map
head -c 65536 /dev/zero | tr '\0' '\023' >data/map/1.overworld
"$tool" world --seed 99 --data data --out d.bin || fail "world --data failed"
[ -f d.bin ] && [ ! -e data/d.bin ] || fail "--out was not kept relative to the start folder"
[ "$(od -An -tu1 -N1 d.bin | tr -d ' ')" = 19 ] || fail "layer 0 does not hold the map"
# Code 19 raises Brick on layer 2 at (0, 0).
[ "$(od -An -tu1 -j$((2 * 65536)) -N1 d.bin | tr -d ' ')" = 1 ] || fail "no Brick on layer 2"
cmp -s a.bin d.bin && fail "the map changed nothing"
[ -z "$(ls data/map | grep -v '^1.overworld$')" ] || fail "the build created files in map/"

"$tool" plan --seed 99 >plan.txt || fail "plan failed"
[ "$(wc -l <plan.txt)" -eq $((1 + 9 * 34)) ] || fail "plan has $(wc -l <plan.txt) lines"
head -1 plan.txt | grep -q '^legend:' || fail "plan has no legend first"
[ "$(grep -c '^level [1-9] (layer 14[0-8]): [0-9]* rooms$' plan.txt)" -eq 9 ] || fail "plan headers"
[ "$(grep -v '^l' plan.txt | grep -cvx '[#.+<>casfk]\{33\}')" -eq 0 ] || fail "plan rows"
"$tool" plan --seed 99 --level 3 >level3.txt || fail "plan --level 3 failed"
head -2 level3.txt | tail -1 | grep -q '^level 3 (layer 142)' || fail "plan --level 3 header"
[ "$(wc -l <level3.txt)" -eq 35 ] || fail "plan --level 3 has $(wc -l <level3.txt) lines"
"$tool" plan --seed 99 --level 3 | cmp -s - level3.txt || fail "plan is not repeatable"

for bad in "world --out e.bin" "world --seed 5" "world --seed -1 --out e.bin" \
           "world --seed 4294967296 --out e.bin" "world --seed x --out e.bin" \
           "world --seed 5 --bogus 1 --out e.bin" "world --seed" \
           "world --seed 5 --data missing --out e.bin" \
           "world --seed 5 --out missing/e.bin" \
           "plan" "plan --seed 5 --level 0" "plan --seed 5 --level 10" "plan --seed 5 --out x"; do
    # shellcheck disable=SC2086
    "$tool" $bad 2>err.txt >/dev/null
    status=$?
    [ "$status" -eq 2 ] || fail "'$bad' exits $status, want 2"
    # The data folder the tool found for itself is named too: not an error.
    [ "$(grep -vc '^undercroft-tool: data from ' err.txt)" -eq 1 ] || fail "'$bad' printed $(wc -l <err.txt) error lines"
done
[ ! -e e.bin ] || fail "a refused command wrote e.bin"
echo "all ok"
