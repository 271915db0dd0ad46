# Cross build for Windows with Debian's MinGW-w64, posix thread model (GoogleTest needs
# std::mutex). The preset names the target in TARVIK_TRIPLE: x86_64-w64-mingw32 or i686-w64-mingw32.
if(NOT TARVIK_TRIPLE)
    message(FATAL_ERROR "Set TARVIK_TRIPLE to x86_64-w64-mingw32 or i686-w64-mingw32")
endif()
# The compiler checks read this file again in a project of their own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARVIK_TRIPLE)
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${TARVIK_TRIPLE})
set(CMAKE_C_COMPILER ${TARVIK_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVIK_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVIK_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARVIK_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
