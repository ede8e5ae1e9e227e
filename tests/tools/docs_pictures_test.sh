#!/usr/bin/env bash
# README's pictures are what its commands draw: scripts/docs-pictures makes
# every picture of docs/ but the browser's again, byte for byte.
set -u
source "$(dirname "$0")/../lib.sh"
source_dir=$1
make_work_folder
UNDERCROFT_TOOL=$2 UNDERCROFT_DATA=$3 "$source_dir/scripts/docs-pictures" "$work/docs" >/dev/null ||
    fail "scripts/docs-pictures failed"
count=0
while IFS= read -r picture; do
    cmp -s "$source_dir/docs/$picture" "$work/docs/$picture" ||
        fail "docs/$picture is not what scripts/docs-pictures draws"
    count=$((count + 1))
done < <(cd "$source_dir/docs" && find . -name '*.png' -not -path './web/*' | sort)
[ "$count" -eq "$(cd "$work/docs" && find . -name '*.png' | wc -l)" ] ||
    fail "scripts/docs-pictures draws pictures docs/ lacks"
ok "the $count pictures of docs/ are what scripts/docs-pictures draws"
