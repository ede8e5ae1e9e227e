#!/usr/bin/env bash
# png_tool, the PNG reader the shell, Wine and browser tests compare pictures
# with: sizes, a whole dump of the pixels, pictures that differ by one view
# step or by size told apart, and every unreadable file (missing, no PNG, cut
# short) trouble with status 2, never "the same".
# Usage: png_tool_test.sh PNG_TOOL UNDERCROFT_TOOL RUN_DIR
set -u
source "$(dirname "$0")/lib.sh"
png_tool=$1
tool=$2
data=$3
make_work_folder
cd "$work" || fail "cannot enter $work"

snap() {
    "$tool" snapshot --seed 5 --data "$data" --view 100,100,0 "$@" >/dev/null ||
        fail "snapshot $*"
}
snap --out view.png
snap --keys F7 --out map.png
snap --keys F7 --out map_again.png
snap --keys F7,Right --out map_right.png

[ "$("$png_tool" size view.png)" = 320x240 ] || fail "size of the 3D view: $("$png_tool" size view.png)"
[ "$("$png_tool" size map.png)" = 640x480 ] || fail "size of the map view: $("$png_tool" size map.png)"
ok "size"

"$png_tool" pixels view.png >pixels || fail "pixels of the 3D view"
[ "$(head -1 pixels)" = 320x240 ] || fail "pixels begins '$(head -1 pixels)', want 320x240"
[ "$(stat -c %s pixels)" -eq $((8 + 320 * 240 * 3)) ] ||
    fail "pixels printed $(stat -c %s pixels) bytes, want the line and 320 x 240 x 3"
"$png_tool" pixels view.png >/dev/full 2>/dev/null
[ $? -eq 2 ] || fail "pixels into a full disk does not exit 2"
ok "pixels: the size line, then every pixel's three bytes; a short write is trouble"

"$png_tool" same map.png map_again.png >out || fail "two snapshots of one view differ: $(cat out)"
"$png_tool" same map.png map_right.png >out
[ $? -eq 1 ] || fail "a view one cell to the right is the same picture"
grep -q '^[0-9]* of 307200 pixels differ; the first, column [0-9]* of row [0-9]* ' out ||
    fail "the difference is told as '$(cat out)'"
"$png_tool" same view.png map.png >out
[ $? -eq 1 ] || fail "pictures of two sizes are the same"
[ "$(cat out)" = "sizes differ: 320x240 against 640x480" ] || fail "sizes told as '$(cat out)'"
ok "same: one view's pictures are the same, another view's and another size's differ"

echo "no picture" >text.png
head -c 3000 map.png >cut.png
for bad in missing.png text.png cut.png; do
    for command in "size $bad" "pixels $bad" "same $bad $bad" "same map.png $bad" "same $bad map.png"; do
        # shellcheck disable=SC2086
        "$png_tool" $command >out 2>err
        status=$?
        [ "$status" -eq 2 ] || fail "'png_tool $command' exits $status, want 2"
        [ ! -s out ] || fail "'png_tool $command' printed '$(head -c 80 out)'"
        grep -q "^png_tool: $bad: ." err || fail "'png_tool $command' said '$(cat err)'"
    done
done
ok "a missing file, a text file and a cut PNG are trouble, compared even with themselves"

for command in "" "size" "size a b" "same map.png" "look map.png"; do
    # shellcheck disable=SC2086
    "$png_tool" $command >/dev/null 2>err
    status=$?
    [ "$status" -eq 2 ] || fail "'png_tool $command' exits $status, want 2"
    grep -q '^usage: png_tool' err || fail "'png_tool $command' said '$(cat err)'"
done
ok "a wrong command line says how to call it"
echo "all ok"
