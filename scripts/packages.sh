# Sourced by scripts/run and scripts/test: makes sure the Debian packages a
# command needs are installed. As root it installs what is missing; otherwise
# it prints the one command to run and stops.

# needArchitecture ARCH: lets dpkg install packages of ARCH (i386 for the
# 32-bit Wine); as root it adds it, otherwise it says the command to run.
needArchitecture() {
    dpkg --print-foreign-architectures | grep -qx "$1" && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing the $1 architecture. Add it with:" >&2
        echo "  sudo dpkg --add-architecture $1" >&2
        exit 1
    fi
    dpkg --add-architecture "$1"
}

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
    libpng-dev libx11-dev libxi-dev libcli11-dev
)

# What the tests need beyond that: GoogleTest and Google Benchmark, a real X
# server driven like a user (xwininfo, in x11-utils, finds the windows
# xdotool cannot; setxkbmap, in x11-xkb-utils, sets its keyboard layout; the
# X-Resource extension's library counts what the server holds for a client),
# valgrind for the memcheck run (the sanitizer runtimes come with g++), gdb
# to read the running program's view cell, libfaketime (faketime) to move
# the program's steady clock back, and
# the Debian package's builder and checkers.
testPackages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-apps x11-utils valgrind gdb
    dpkg-dev lintian desktop-file-utils appstream libxres-dev x11-xkb-utils xkb-data faketime)

# What the Windows build and its tests need: mingw-w64's compilers (the
# posix thread model), and Wine, 64- and 32-bit, with Mesa's 32-bit GL for
# the 32-bit programs (GoogleTest's sources come with libgtest-dev).
windowsPackages=(
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
    wine wine64 wine32:i386 libgl1:i386 libgl1-mesa-dri:i386
)

# What scripts/fuzz needs beyond building: clang and its runtime libraries,
# libFuzzer among them.
fuzzPackages=(clang libclang-rt-14-dev)

# What the browser build and its tests need: Debian's Emscripten; the three
# engines (Chromium, headless with WebGL on SwiftShader; Firefox ESR, and
# WebKitGTK's MiniBrowser with its WebDriver, in an Xvfb server); and Node
# for their drivers (npm brings puppeteer-core and webdriverio; where Node
# comes without it, Debian's npm).
webPackages=(emscripten chromium firefox-esr webkit2gtk-driver xvfb xauth nodejs)
