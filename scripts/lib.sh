# Shell functions the scripts share; source it from the top of the checkout.

tarvik_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The most the 32-bit tarvik.exe, the one users get, may weigh: 144 KiB. scripts/test holds the
# tested build to it and scripts/package the shipped one, built the same way.
tarvik_exe_limit=147456

# setup_once: installs what is missing (scripts/setup), unless the script that started this one
# already did: scripts/test runs the others.
setup_once() {
    [ -n "${TARVIK_SETUP_DONE:-}" ] && return 0
    "$tarvik_scripts/setup" || return 1
    export TARVIK_SETUP_DONE=1
}

# stage TEXT: the heading of one step of a long run, with the time it starts.
stage() {
    echo
    echo "==== $* ($(date +%T))"
}

# build [--dir DIR] PRESET [TARGET...]: configures and builds a preset quietly, on every core, in
# its own folder build/PRESET or in DIR. On failure it says how to see why and returns 1.
build() {
    local dir=
    if [ "$1" = --dir ]; then
        dir=$2
        shift 2
    fi
    local preset=$1
    shift
    dir=${dir:-build/$preset}
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake --preset "$preset" -B "$dir" >/dev/null && cmake --build "$dir" -j "$(nproc)" "${targets[@]}" >/dev/null ||
        { echo "building preset $preset failed; rerun: cmake --build $dir" >&2; return 1; }
}

# wine_environment PREFIX [LOCALE]: exports what every Windows program here runs with: its Wine
# prefix, Wine quiet, no offer to install .NET or a browser engine, and the locale whose ANSI code
# page Wine takes (zh_CN.UTF-8, code page 936, unless given).
wine_environment() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=${2:-zh_CN.UTF-8}
}

# stop_wine BUILD...: ends the Wine servers, and with them the programs, of the Wine prefixes in
# the build folders (one a DPI setting).
stop_wine() {
    local build prefix
    for build in "$@"; do
        for prefix in "$build"/wineprefix*/; do
            [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
        done
    done
    return 0
}

# start_display BUILD...: starts a private Xvfb display for the Windows programs of this script and
# exports DISPLAY. When the script exits, Wine ends in the build folders named and the display
# stops, so that nothing is left running after a failure or Ctrl+C.
start_display() {
    DISPLAY=$("$tarvik_scripts/xvfb-start") || return 1
    export DISPLAY
    display_builds=("$@")
    trap 'stop_wine "${display_builds[@]}"; "$tarvik_scripts/xvfb-stop" "$DISPLAY"' EXIT
}

# runs_32bit_programs: whether this machine's kernel runs 32-bit x86 programs (some kernels are built
# without IA32 emulation), found by assembling one that only exits and running it.
runs_32bit_programs() {
    local dir status
    dir=$(mktemp -d)
    printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' |
        as --32 -o "$dir/exit.o" - && ld -m elf_i386 -o "$dir/exit" "$dir/exit.o" && "$dir/exit" 2>/dev/null
    status=$?
    rm -rf "$dir"
    return $status
}
