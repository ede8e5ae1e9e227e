#!/usr/bin/env bash
# undercroft-tool tour as a user runs it: the seed and five picture paths on
# stdout, each a PNG of its mode's size with a picture in it, the output
# folder made when missing, and bad options refused with exit status 2.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
data=$2
png_tool=$3
make_work_folder
cd "$work" || fail "cannot enter $work"

"$tool" tour --seed 3 --data "$data" --out pics/new >out.txt || fail "tour failed"
[ "$(head -1 out.txt)" = "world seed 3" ] || fail "first line: $(head -1 out.txt)"
[ "$(tail -n +2 out.txt | tr '\n' ' ')" = "pics/new/1-overworld.png pics/new/2-dungeon-level1.png \
pics/new/3-dungeon-level9.png pics/new/4-surface-3d.png pics/new/5-corridor-3d.png " ] ||
    fail "paths: $(tail -n +2 out.txt | tr '\n' ' ')"
[ "$(ls pics/new | wc -l)" -eq 5 ] || fail "the folder holds $(ls pics/new | wc -l) files"
for picture in $(tail -n +2 out.txt); do
    size=$("$png_tool" size "$picture") || fail "$picture is no readable PNG"
    case $picture in
        *-3d.png) want=320x240 ;;
        *) want=640x480 ;;
    esac
    [ "$size" = "$want" ] || fail "$picture is $size, want $want"
    # A black frame with only the status lines compresses to a few kilobytes.
    [ "$(stat -c %s "$picture")" -gt 8000 ] || fail "$picture looks empty ($(stat -c %s "$picture") bytes)"
done

for bad in "" "--out" "--seed x --out p" "--bogus 1 --out p" "--data $work/missing --out p" \
           "--out out.txt/p"; do
    # shellcheck disable=SC2086
    "$tool" tour $bad 2>err.txt >/dev/null
    status=$?
    [ "$status" -eq 2 ] || fail "'tour $bad' exits $status, want 2"
    # The data folder the tool found for itself is named too: not an error.
    [ "$(grep -vc '^undercroft-tool: data from ' err.txt)" -eq 1 ] || fail "'tour $bad' printed $(wc -l <err.txt) error lines"
done
echo "all ok"
