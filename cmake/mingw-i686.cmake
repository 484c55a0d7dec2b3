# Cross-compiling for 32-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-i686).
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake ...
# scripts/check-mingw.sh does the whole build, StormLib's import library included.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(QV_MINGW_PREFIX i686-w64-mingw32)
# The POSIX thread model: std::thread and std::mutex work with it in GCC 12.
set(CMAKE_C_COMPILER ${QV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QV_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file to copy: the C and C++ runtimes and winpthread go into the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
