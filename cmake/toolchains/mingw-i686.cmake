# Cross build for Windows with Debian's mingw-w64 compilers (posix thread model, which
# GoogleTest's std::mutex needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run under wine. The loader is called directly: the generic wine launcher
# starts a 32-bit process first, which is slow where 32-bit code is emulated.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
