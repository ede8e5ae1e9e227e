# Sourced by the scripts that take minutes (run, package-windows,
# package-web): each long step says in a line what it does and how long it
# took, and the build's own output goes to a log under build/logs/, shown
# when the step fails (its last lines, and where the rest is). --verbose
# as the script's first argument shows the output as it comes instead.
#
#     source scripts/steps.sh "$@"; set -- "${remaining[@]}"

script=scripts/$(basename "$0")
verbose=${UNDERCROFT_VERBOSE:-}
remaining=("$@")
if [ "${1:-}" = --verbose ]; then
    verbose=1
    remaining=("${@:2}")
fi

# step LOG WHAT COMMAND...: runs COMMAND as the step WHAT, its output in
# build/logs/LOG.log.
step() {
    local log=build/logs/$1.log what=$2 start=$SECONDS status=0
    shift 2
    if [ -n "$verbose" ]; then
        echo "$script: $what"
        "$@"
        return
    fi
    mkdir -p build/logs
    echo -n "$script: $what ... "
    "$@" >"$log" 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then
        echo "$((SECONDS - start)) s"
        return 0
    fi
    echo "FAILED (status $status)"
    tail -n 30 "$log" >&2
    echo "$script: the whole output of that step is in $log" >&2
    return "$status"
}
