#!/usr/bin/env bash
# The program's start-up and frames in data folders a user or a broken
# install can leave behind: read-only, image folders missing, a map file that
# is a directory, empty or 10 MB, image paths that are directories, and BMP
# headers claiming sizes up to 2^31 on a side. Each run goes through the whole
# start-up and both views and must quit with status 0 and nothing on stderr
# (the program fails silently on data by design). The headless tool runs the
# program's own start-up and loop; the read-only case also runs the program.
# Exits 77 (skipped) only when no folder can be made read-only here.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$(realpath "$1")
program=$(realpath "$2")
run_dir=$(realpath "$3")
make_work_folder

# Three views: the 3D view where start-up leaves it (cube textures) and then
# the map; the map of the overworld (land tiles, the marker); the map of a
# dungeon level (dungeon tiles). Every run ends with Escape.
views=(
    "--keys LButtonx3,RButton,Zx2,MButton,F7,Rightx3,Upx2,KPMinus,KPPlus,F1,F6,LButton,F5,Escape"
    "--view 100,100,0 --keys F7,Rightx2,F2,Upx2,F6,LButton,Escape"
    "--view 120,120,143 --keys F7,Leftx2,Downx2,F3,Escape"
)
runner=() # a command prefix the tool runs under (the read-only namespace)

# check NAME DIR [SAID]: every view in DIR quits cleanly and changes nothing
# there. What cannot be used is named on stderr, one line each: every line
# matches the extended regular expression SAID, and with none given nothing
# is said.
check() {
    local name=$1 dir=$2 said=${3:-} view status
    local before
    before=$(cd "$dir" && find . -printf '%p %s\n' | sort)
    for view in "${views[@]}"; do
        # shellcheck disable=SC2086
        "${runner[@]}" "$tool" snapshot --seed 7 --data "$dir" $view --mouse 100,80 --state \
            --out "$work/last.png" >"$work/state.txt" 2>"$work/err.txt"
        status=$?
        [ "$status" -eq 0 ] || fail "$name ($view): exit status $status: $(cat "$work/err.txt")"
        grep -q '"quit":1}' "$work/state.txt" || fail "$name ($view): no quit: $(cat "$work/state.txt")"
        [ -s "$work/last.png" ] || fail "$name ($view): no picture"
        if [ -z "$said" ]; then
            [ ! -s "$work/err.txt" ] || fail "$name ($view): said: $(cat "$work/err.txt")"
        else
            [ -s "$work/err.txt" ] && ! grep -qvE "^undercroft-tool: ($said)" "$work/err.txt" ||
                fail "$name ($view): said: $(cat "$work/err.txt")"
        fi
    done
    [ "$(cd "$dir" && find . -printf '%p %s\n' | sort)" = "$before" ] ||
        fail "$name: the data folder changed"
    ok "$name"
}

# fresh NAME: a copy of the real data folder to spoil.
fresh() {
    cp -r "$run_dir" "$work/$1"
    echo "$work/$1"
}

# patch_le32 FILE OFFSET VALUE: writes an unsigned 32-bit little-endian value.
patch_le32() {
    local v=$3
    printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((v & 255)) $((v >> 8 & 255)) \
        $((v >> 16 & 255)) $((v >> 24 & 255)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# claim FILE WIDTH HEIGHT: the header says so; the pixel data stays as it was.
claim() {
    patch_le32 "$1" 18 "$2"
    patch_le32 "$1" 22 "$3"
}

# whole_bmp FILE WIDTH HEIGHT ROWBYTES ROWS: a header that tells the truth,
# followed by all the (grey) pixel data it announces.
whole_bmp() {
    head -c 54 "$1" >"$work/header"
    mv "$work/header" "$1"
    claim "$1" "$2" "$3"
    head -c $(($4 * $5)) /dev/zero | tr '\0' '\200' >>"$1"
}

check "the data folder as built" "$(fresh built)"

# Image folders missing: first all of them, then everything.
dir=$work/map_only
mkdir -p "$dir" && cp -r "$run_dir/map" "$dir/"
check "no image folders" "$dir" "no image folders in $dir; going on without them"
mkdir -p "$work/empty"
check "an empty data folder" "$work/empty" "no image folders in $work/empty; going on without them"

# The map file as a directory, empty, and 10 MB holding every byte value in
# every row (codes no map or pass knows among them).
dir=$(fresh map_directory)
rm "$dir/map/1.overworld" && mkdir "$dir/map/1.overworld"
check "map/1.overworld is a directory" "$dir" \
    "cannot read map/1.overworld: a folder, not a file; the overworld stays empty"
dir=$(fresh map_empty)
: >"$dir/map/1.overworld"
check "map/1.overworld is empty" "$dir"
dir=$(fresh map_huge)
printf "$(printf '\\%03o' $(seq 0 255))" >"$work/bytes"
for _ in $(seq 16); do cat "$work/bytes" "$work/bytes" >"$work/more" && mv "$work/more" "$work/bytes"; done
head -c $((10 * 1024 * 1024)) "$work/bytes" >"$dir/map/1.overworld"
check "map/1.overworld is 10 MB of every byte value" "$dir"

# Image paths that are directories: a cube texture, a land tile, the marker.
dir=$(fresh image_directories)
for image in bmp_cube/brickold2.bmp bmp_land/plain.bmp bmp_unit/unit_mage.bmp bmp_dungeon/wall.bmp; do
    rm "$dir/$image" && mkdir "$dir/$image"
done
check "image paths that are directories" "$dir" \
    "cannot use bmp_[a-z]+/[a-z_0-9]+\.bmp: a folder, not a file"

# Headers claiming absurd sizes over short files, in the cube textures the
# 3D view uploads, the tiles both maps draw and the marker; and two extreme
# shapes whose pixel data is really there.
dir=$(fresh huge_headers)
claim "$dir/bmp_cube/brickold2.bmp" 2147483647 32
claim "$dir/bmp_cube/grass3.bmp" 32 2147483648
claim "$dir/bmp_cube/structure_castle.bmp" 2147483648 2147483648
claim "$dir/bmp_land/plain.bmp" 16384 16384
claim "$dir/bmp_land/forest.bmp" 16385 1
claim "$dir/bmp_land/water.bmp" 0 1073741824
claim "$dir/bmp_unit/unit_mage.bmp" 2147483647 2147483647
claim "$dir/bmp_dungeon/wall.bmp" 4294967295 16
claim "$dir/bmp_dungeon/floor.bmp" 65536 65536
whole_bmp "$dir/bmp_cube/dirt1.bmp" 16384 1 49152 1
whole_bmp "$dir/bmp_land/road.bmp" 1 $((0x100000000 - 16384)) 4 16384
check "BMP headers claiming sizes up to 2^31" "$dir" \
    "cannot use bmp_[a-z]+/[a-z_0-9]+\.bmp: (.* on a side|the file is shorter than its header claims|.* do not fit the image budget|its pixel data would start outside the file)"

# A read-only data folder: a read-only bind mount in a private mount
# namespace where that is possible (root ignores file modes), else modes.
dir=$(fresh read_only)
if unshare -m sh -c 'mount --bind -o ro "$1" "$1" && ! touch "$1/probe" 2>/dev/null' - "$dir" 2>/dev/null; then
    # The mount hides the folder's old view: enter it again after mounting.
    runner=(unshare -m sh -c 'mount --bind -o ro "$0" "$0" && cd "$0" && exec "$@"' "$dir")
else
    chmod -R a-w "$dir"
    if touch "$dir/probe" 2>/dev/null; then
        rm -f "$dir/probe"
        echo "SKIP: cannot make a folder read-only here (no mount namespace; file modes do not bind this user)"
        exit 77
    fi
fi
check "a read-only data folder" "$dir"

# The program itself in the read-only folder: it starts, builds the world,
# and SIGTERM (like Ctrl+C) ends it with status 0.
background env -C "$dir" SDL_VIDEODRIVER=offscreen "${runner[@]}" "$program" \
    >"$work/out.txt" 2>"$work/err.txt"
wait_for_line "$work/out.txt" '^world seed' || fail "read-only: the program did not finish start-up"
# Let the loop run a while in the read-only folder: what is checked is that
# nothing goes wrong there, which only watching it shows.
stays_up "$pid" 0.5 || fail "read-only: the program ended by itself: $(cat "$work/err.txt")"
kill -TERM "$pid"
wait_for_exit "$pid" || fail "read-only: SIGTERM did not end the program"
[ "$status" -eq 0 ] || fail "read-only: the program exits $status: $(cat "$work/err.txt")"
[ ! -s "$work/err.txt" ] || fail "read-only: the program said: $(cat "$work/err.txt")"
ok "the program in a read-only data folder"
chmod -R u+w "$dir"
echo "all ok"
