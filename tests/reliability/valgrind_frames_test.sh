#!/usr/bin/env bash
# 300 frames of the program under valgrind memcheck, through the headless
# tool: mode switches (F6, F7) and every scale (F1 to F5) several times,
# flying and turning in the 3D view, and the layer and arrow keys in the map.
# Passes with no memcheck error and no definite leak; prints the summaries.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
run_dir=$2
suppressions=$3
make_work_folder

# Under valgrind every frame costs about 0.4 s, most of it llvmpipe drawing
# the window's pixels, so nearly all frames run at scale 1 and each larger
# scale is shown for one frame (the largest in the 3D view's smaller mode).
script='F1,LButtonx4,Zx2,RButtonx2,MButton,KPPlusx2,KPMinusx2,F2,F3,F4,F5,F1'
script+=',F7,F1,Rightx40,Upx30,Left+Downx20,Right+Upx10,KPPlusx3,KPMinusx3'
script+=',F2,F1,F3,F1,Leftx60,Downx60'
script+=',F6,F1,LButtonx3,Z,F5,RButton,F1,F7,F1,F6+F7,F1,Mx3'
frames=33 # idle frames after the script, making 300

# llvmpipe rasterizes on the calling thread: valgrind runs one thread anyway.
LP_NUM_THREADS=0 valgrind --error-exitcode=99 --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --suppressions="$suppressions" --num-callers=40 --log-file="$work/memcheck.txt" \
    "$tool" snapshot --seed 9 --data "$run_dir" --keys "$script" --frames "$frames" \
    --mouse 100,80 --state --out "$work/last.png" >"$work/state.txt"
status=$?

grep -E 'ERROR SUMMARY|LEAK SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable|suppressed:' \
    "$work/memcheck.txt" | sed 's/^==[0-9]*== *//'
if [ "$status" -ne 0 ]; then
    cat "$work/memcheck.txt"
    fail "memcheck exit status $status"
fi
grep -q '"screenWidth":640,"screenHeight":480,"pixelScale":1,"quit":0}' "$work/state.txt" ||
    fail "the script did not end in the map at scale 1: $(cat "$work/state.txt")"
ok "300 frames under memcheck"
