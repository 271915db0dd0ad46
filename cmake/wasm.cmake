# core/ as a WebAssembly module for the online page: Debian's clang for wasm32-wasi, with the
# sysroot of wasi-libc and libc++-14-dev-wasm32 under /usr. The module has no main; the page calls
# the functions it exports.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
set(CMAKE_CXX_FLAGS_INIT -fno-exceptions)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -Wl,--no-entry -Wl,--strip-all")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
