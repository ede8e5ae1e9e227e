#!/usr/bin/env bash
# The folders form layers, bottom first: platform < world < assets < draw2d,
# view3d < app, with the art and the tool above them. A file may include the
# headers of its own folder and of the folders its layer lists below; draw2d
# and view3d never include each other, and nothing but the tool includes the
# art or the tool. Each system's backend is a folder of platform/ (sdl,
# win32, web, posix): a backend includes platform/'s portable headers and its
# own, and nothing else includes a backend's. A system's headers stay in its
# backend (SDL in platform/sdl, Win32 in platform/win32, Emscripten's in
# platform/web; the entry points of app/ excepted), and only platform/ and
# view3d/ include GL headers. Prints every include against the order as
# FILE:LINE and fails.
set -u
source "$(dirname "$0")/lib.sh"
root=$1
cd "$root" || fail "cannot enter $root"

# The folders each folder may include besides itself.
declare -A allowed=(
    [platform]=""
    [platform/sdl]="platform"
    [platform/win32]="platform"
    [platform/web]="platform"
    [platform/posix]="platform"
    [world]="platform"
    [assets]="platform world"
    [draw2d]="platform world assets"
    [view3d]="platform world assets"
    [app]="platform world assets draw2d view3d"
    [art]="platform world assets draw2d view3d app"
    [art/overworld]="platform world assets draw2d view3d app art"
    [tools/export]="platform world assets draw2d view3d app"
    [tools/commands]="platform world assets draw2d view3d app art art/overworld tools/export"
    [tools]="platform world assets draw2d view3d app art art/overworld tools/export tools/commands"
)
# Longest first, so a file of art/overworld is not taken for one of art.
folders="art/overworld tools/commands tools/export platform/sdl platform/win32 platform/web
    platform/posix platform world assets draw2d view3d app art tools"

folderOf() {
    local path=$1 folder
    for folder in $folders; do
        case $path in "$folder"/*) echo "$folder"; return ;; esac
    done
}

failed=0
while IFS= read -r file; do
    own=$(folderOf "$file")
    while IFS=: read -r line included; do
        target=$(folderOf "$included")
        [ -z "$target" ] && continue # a header of the same folder, named alone
        [ "$target" = "$own" ] && continue
        case " ${allowed[$own]} " in *" $target "*) continue ;; esac
        echo "$file:$line: includes $included (${own}/ may not include ${target}/)"
        failed=1
    done < <(awk 'match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]*"/) {
                      path = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", path); sub(/"$/, "", path)
                      print FNR ":" path }' "$file")
done < <(find platform world assets draw2d view3d app art tools -name '*.h' -o -name '*.cpp' | sort)

# systemHeaders WHAT PATTERN FOLDER...: files outside FOLDER... that include
# headers matching PATTERN.
systemHeaders() {
    local what=$1 pattern=$2 hits
    shift 2
    hits=$(grep -rnE "#include *[<\"]($pattern)" platform world assets draw2d view3d app art tools |
        grep -vE "^($(IFS='|'; echo "$*"))" || true)
    [ -z "$hits" ] && return
    echo "files outside $* include $what headers:"
    echo "$hits"
    failed=1
}
systemHeaders SDL 'SDL|SDL2/' platform/sdl/
systemHeaders Win32 'windows\.h|wincodec|psapi' platform/win32/ app/main_win32.cpp
systemHeaders Emscripten 'emscripten' platform/web/ app/main_web.cpp app/test_hooks_web.cpp
systemHeaders X11 'X11/' platform/sdl/
systemHeaders GL 'GL/' platform/ view3d/
[ "$failed" -eq 0 ] || fail "includes against the layer order (above)"
ok "every include follows the layer order"
