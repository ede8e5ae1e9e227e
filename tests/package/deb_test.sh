#!/usr/bin/env bash
# The Debian package as a user gets it: the files it holds, lintian's verdict,
# the desktop entry and AppStream metadata validated, and its undercroft run
# from the unpacked package under Xvfb, where it finds its data.
# Usage: deb_test.sh PACKAGE.deb SEND_WM_DELETE
set -u
source "$(dirname "$0")/../lib.sh"
deb=$(realpath "$1")
send_wm_delete=$(realpath "$2")
make_work_folder

listing=$(dpkg-deb -c "$deb" | awk '{print $6}') || fail "dpkg-deb cannot read $deb"
for file in usr/games/undercroft usr/games/undercroft-tool \
            usr/share/undercroft/map/1.overworld usr/share/undercroft/bmp_cube/DSC3.bmp \
            usr/share/man/man6/undercroft.6.gz usr/share/man/man6/undercroft-tool.6.gz \
            usr/share/applications/undercroft.desktop \
            usr/share/icons/hicolor/64x64/apps/undercroft.png \
            usr/share/metainfo/org.undercroft.Undercroft.metainfo.xml \
            usr/share/doc/undercroft/copyright usr/share/doc/undercroft/changelog.gz; do
    echo "$listing" | grep -qx "./$file" || fail "the package lacks /$file"
done
for folder in bmp_cross bmp_unit bmp_land bmp_dungeon bmp_structure bmp_item bmp_scr bmp_cube; do
    [ "$(echo "$listing" | grep -c "^./usr/share/undercroft/$folder/.*\.bmp$")" -gt 0 ] ||
        fail "the package has no images in $folder"
done
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2' || fail "no dependency on SDL2: $(dpkg-deb -f "$deb" Depends)"
ok "the package holds the programs, their data, man pages, desktop entry, icon, metainfo"

# lintian: no error and no warning (informational tags are not counted).
lintian "$deb" >"$work/lintian.txt" 2>/dev/null
! grep -E '^[EW]: ' "$work/lintian.txt" || fail "lintian: $(cat "$work/lintian.txt")"
ok "lintian reports no error and no warning"

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/undercroft.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net \
    "$work/root/usr/share/metainfo/org.undercroft.Undercroft.metainfo.xml" >"$work/as.txt" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/as.txt")"
ok "the desktop entry and the AppStream metadata validate"

# The unpacked program, started from a folder without images, finds them in
# its own share/undercroft and opens its window.
start_xvfb 1280x1024x24
mkdir "$work/elsewhere"
background env -C "$work/elsewhere" "$work/root/usr/games/undercroft" >"$work/out.txt" 2>"$work/err.txt"
wait_for_line "$work/out.txt" '^world seed' ||
    fail "the unpacked program did not finish start-up: $(cat "$work/out.txt" "$work/err.txt")"
grep -q "^data from $work/root/usr/share/undercroft$" "$work/out.txt" ||
    fail "the unpacked program did not find its data: $(cat "$work/out.txt" "$work/err.txt")"
id=$(wait_for_window) || fail "the unpacked program opened no window"
"$send_wm_delete" "$id"
wait_for_exit "$pid" || fail "the unpacked program did not end on a window-manager close"
[ "$status" -eq 0 ] || fail "the unpacked program exits $status"
[ ! -s "$work/err.txt" ] || fail "the unpacked program said: $(cat "$work/err.txt")"
ok "the unpacked program finds its data in the package and runs"
echo "all ok"
