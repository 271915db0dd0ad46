# Shell functions the scripts share; source it from the top of the checkout.

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
