// tarvik.exe catches no exception, so an exception thrown in it can only end the process: memory
// exhausted, or a string or vector asked to grow past its limit. This file ends the process at
// the throw instead. Defining every one of libstdc++'s throw helpers, and the terminate handler
// that would print the exception's type, keeps the library's exception classes, its old
// copy-on-write strings and its C++ name demangler out of the program: the 32-bit tarvik.exe
// (MinSizeRel) is 144 KiB with this file and 276 KiB without it, and scripts/test fails when it
// grows past 144 KiB. Since all of them are defined here, the library's own copies are never linked
// beside them. Only the program links this file; the libraries and the tests keep real exceptions.
#include <cstdlib>

namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

namespace std {
[[noreturn]] void __throw_bad_exception() {
    std::abort();
}
[[noreturn]] void __throw_bad_alloc() {
    std::abort();
}
[[noreturn]] void __throw_bad_array_new_length() {
    std::abort();
}
[[noreturn]] void __throw_bad_cast() {
    std::abort();
}
[[noreturn]] void __throw_bad_typeid() {
    std::abort();
}
[[noreturn]] void __throw_logic_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_domain_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    std::abort();
}
[[noreturn]] void __throw_length_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
[[noreturn]] void __throw_runtime_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_range_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_overflow_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_underflow_error(const char*) {
    std::abort();
}
}  // namespace std
