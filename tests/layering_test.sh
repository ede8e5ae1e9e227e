#!/usr/bin/env bash
# The portable core (app, world, assets, draw2d, tools) never includes SDL or
# GL headers; only platform/ and view3d/ talk to the window system and GL.
set -u
root=$1
hits=$(grep -rnE '#include *[<"](SDL|GL/|SDL2/)' \
        "$root"/app "$root"/world "$root"/assets "$root"/draw2d "$root"/tools 2>/dev/null)
if [ -n "$hits" ]; then
    echo "core files include SDL or GL headers:"
    echo "$hits"
    exit 1
fi
exit 0
