# Cross-builds the Windows program on Linux with MinGW-w64 (Debian package
# g++-mingw-w64-x86-64):
#   cmake -B build-win --toolchain cmake/mingw-w64.cmake && cmake --build build-win
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)

# The posix flavour of the compiler has the complete C++ thread support; its
# winpthread goes into the executable like the other runtimes (see below).
find_program(CMAKE_C_COMPILER NAMES ${MINGW_PREFIX}-gcc-posix ${MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_PREFIX}-g++-posix ${MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_PREFIX}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Standalone executables: libgcc, libstdc++ and winpthread linked in, so that
# nothing beyond the DLLs of Windows itself is needed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

