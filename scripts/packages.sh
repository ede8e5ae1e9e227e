# Sourced by scripts/run and scripts/test: makes sure the Debian packages a
# command needs are installed. As root it installs what is missing; otherwise
# it prints the one command to run and stops.

# needPackages PACKAGE...
needPackages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building the program and its tool needs.
buildPackages=(
    cmake make g++ pkg-config
    libsdl2-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
    libpng-dev libx11-dev
)

# What the tests need beyond that: GoogleTest and Google Benchmark, a real X
# server driven like a user, and valgrind for the memcheck run (the
# sanitizer runtimes come with g++).
testPackages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-apps valgrind)

# What scripts/fuzz needs beyond building: clang and its runtime libraries,
# libFuzzer among them.
fuzzPackages=(clang libclang-rt-14-dev)
