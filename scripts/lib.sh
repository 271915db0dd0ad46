# Shell functions the scripts share; source it from the top of the checkout.

# The most the 32-bit tarvik.exe, the one users get, may weigh: 144 KiB. scripts/test holds the
# tested build to it and scripts/package the shipped one, built the same way.
tarvik_exe_limit=147456

# build PRESET [TARGET...]: configures and builds a preset quietly, on every core. On failure it
# says how to see why and returns 1.
build() {
    local preset=$1
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}" >/dev/null ||
        { echo "building preset $preset failed; rerun: cmake --build --preset $preset" >&2; return 1; }
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
