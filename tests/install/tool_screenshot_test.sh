#!/usr/bin/env bash
# F12 in undercroft-tool's key script: each press saves one screenshot (a key
# held three frames too), named by date and time under screenshots/ of the
# folder the tool runs in, and the file is the frame the tool writes with --out.
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() { echo "FAIL: $*"; exit 1; }

# Two presses, the first held three frames; the last frame is the second one.
"$tool" snapshot --seed 5 --keys -x2,F12x3,-,F12 --frames 0 --out frame.png >out 2>err ||
    fail "snapshot failed: $(cat err)"
shots=(screenshots/*.png)
[ ${#shots[@]} -eq 2 ] || fail "want two screenshots, have: ${shots[*]}"
mapfile -t printed <out
[ ${#printed[@]} -eq 2 ] || fail "want two printed paths, have: ${printed[*]}"
for shot in "${printed[@]}"; do
    [ -f "$shot" ] || fail "printed $shot, which is no file"
    [[ $shot =~ ^screenshots/undercroft-[0-9]{8}-[0-9]{6}(-2)?\.png$ ]] || fail "name $shot"
done
cmp -s frame.png "${printed[1]}" || fail "the screenshot is not the frame written with --out"
echo "ok: ${printed[*]}"
