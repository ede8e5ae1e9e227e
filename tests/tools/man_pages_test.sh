#!/usr/bin/env bash
# The tool's man page keeps step with the tool: every subcommand its --help
# lists has an entry in undercroft-tool(6), and every option of that
# subcommand's --help appears in its entry; --help and --version print to
# stdout and succeed.
set -u
source "$(dirname "$0")/../lib.sh"
tool=$1
man_page=$2

# The page as plain words: roff's escaped hyphens and font changes removed.
text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$man_page")

# The entry of one command: from its ".B NAME" line to the next ".TP".
entry() {
    echo "$text" | awk -v name="$1" '
        $1 == ".B" && $2 == name { inside = 1; print; next }
        inside && $1 == ".TP" { exit }
        inside { print }'
}

help=$("$tool" --help) || fail "--help failed"
"$tool" --version | grep -q '^undercroft-tool [0-9]' || fail "--version"
commands=$(echo "$help" | awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
[ "$(echo "$commands" | wc -w)" -eq 7 ] || fail "--help lists: $commands"
for command in $commands; do
    section=$(entry "$command")
    [ -n "$section" ] || fail "the man page has no entry for $command"
    options=$("$tool" "$command" --help | grep -o -- '--[a-z]*' | sort -u | grep -vx -- '--help')
    for option in $options; do
        echo "$section" | grep -q -- "$option" || fail "$command's $option is not in its man page entry"
    done
done
echo "ok: $(echo $commands)"
