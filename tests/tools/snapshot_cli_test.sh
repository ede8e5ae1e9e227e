#!/usr/bin/env bash
# undercroft-tool snapshot as a user runs it: the PNG it writes, the state it
# prints, and the exit status 2 of every kind of bad input.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
png_tool=$2
make_work_folder
cd "$work" || fail "cannot enter $work"

"$tool" snapshot --keys F7 --out a.png >/dev/null || fail "snapshot --keys F7 failed"
size=$("$png_tool" size a.png) || fail "a.png is no readable PNG"
[ "$size" = "640x480" ] || fail "F7 snapshot is $size, want 640x480"
"$tool" snapshot --out b.png >/dev/null || fail "plain snapshot failed"
size=$("$png_tool" size b.png) || fail "b.png is no readable PNG"
[ "$size" = "320x240" ] || fail "start-up snapshot is $size, want 320x240"

state=$("$tool" snapshot --state --keys 'F7,Rightx3' --out c.png) || fail "--state run failed"
keys=$(echo "$state" | grep -o '"[A-Za-z]*":' | tr -d '":' | tr '\n' ' ')
[ "$keys" = "seed SX SY SZ subX subY subZ viewYaw viewPitch stepCount screenWidth screenHeight pixelScale quit " ] ||
    fail "state keys are '$keys'"
# Unseeded, the picture can be made again: the seed is printed.
"$tool" snapshot --frames 60 --out d.png >out.txt || fail "snapshot without --seed failed"
seed=$(sed -n 's/^world seed \([0-9]*\)$/\1/p' out.txt)
[ -n "$seed" ] || fail "snapshot printed no seed: $(cat out.txt)"
"$tool" snapshot --seed "$seed" --frames 60 --out e.png >/dev/null && cmp -s d.png e.png ||
    fail "the printed seed $seed does not draw the same picture"
echo "$state" | grep -q '"screenWidth":640,"screenHeight":480,"pixelScale":2,"quit":0}' ||
    fail "state after F7: $state"
state=$("$tool" snapshot --state --seed 3 --look 30,-85 --view 20,40,12 --out c.png) || fail "--look run failed"
echo "$state" | grep -q '"SX":20,"SY":40,"SZ":12,' || fail "--view not applied: $state"
echo "$state" | grep -q '"viewYaw":30,"viewPitch":-85,' || fail "--look not applied: $state"
state=$("$tool" snapshot --state --keys Escape --out d.png) || fail "Escape run failed"
echo "$state" | grep -q '"quit":1}' || fail "Escape does not show quit 1: $state"

for bad in "--bogus" "--keys Nope" "--keys F7x0" "--view 1,2" "--frames -1" "--mouse a,b" \
           "--look 1" "--look nan,0" "--seed -1" "--seed 4294967296" ""; do
    # shellcheck disable=SC2086
    "$tool" snapshot $bad ${bad:+--out e.png} 2>err.txt >/dev/null
    status=$?
    [ "$status" -eq 2 ] || fail "'snapshot $bad' exits $status, want 2"
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "'snapshot $bad' printed $(wc -l <err.txt) error lines"
done
"$tool" snapshot --out "$work/missing/e.png" 2>err.txt >/dev/null
[ $? -eq 2 ] || fail "unwritable output does not exit 2"
grep -q 'cannot write' err.txt || fail "unwritable output: $(cat err.txt)"
"$tool" nonsense 2>/dev/null; [ $? -eq 2 ] || fail "unknown command does not exit 2"
echo "all ok"
