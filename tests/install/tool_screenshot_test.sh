#!/usr/bin/env bash
# F12 in undercroft-tool's key script: each press saves one screenshot (a key
# held three frames too), named by date and time under screenshots/ of the
# folder the tool was started in, also with another --data folder, and the
# file is the frame the tool writes with --out.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
run_dir=$2
make_work_folder
cd "$work" || fail "cannot enter $work"

# Two presses, the first held three frames; the last frame is the second one.
work=$(pwd -P)
# A copy of the data folder: the tests beside this one take their shots in
# the run folder's screenshots/.
cp -r "$run_dir" data
listing() { ls data/screenshots 2>/dev/null; }
before=$(listing)
"$tool" snapshot --seed 5 --data data --keys -x2,F12x3,-,F12 --frames 0 --out frame.png >out 2>err ||
    fail "snapshot failed: $(cat err)"
[ "$(listing)" = "$before" ] || fail "screenshots landed in the --data folder"
shots=(screenshots/*.png)
[ ${#shots[@]} -eq 2 ] || fail "want two screenshots, have: ${shots[*]}"
# The world's seed first, as the program prints it, then the paths.
[ "$(head -1 out)" = "world seed 5" ] || fail "the seed is not printed first: $(cat out)"
mapfile -t printed < <(tail -n +2 out)
[ ${#printed[@]} -eq 2 ] || fail "want two printed paths, have: ${printed[*]}"
for shot in "${printed[@]}"; do
    [ -f "$shot" ] || fail "printed $shot, which is no file"
    [[ $shot =~ ^$work/screenshots/undercroft-[0-9]{8}-[0-9]{6}(-2)?\.png$ ]] || fail "name $shot"
done
cmp -s frame.png "${printed[1]}" || fail "the screenshot is not the frame written with --out"
echo "ok: ${printed[*]}"
