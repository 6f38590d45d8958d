# Shared part of the two mingw-w64 toolchain files: mingw-i686.cmake (the
# 32-bit setup that ships) and mingw-x86_64.cmake (the same sources as an
# x86_64 test vehicle for hosts that cannot run 32-bit code; it ships nowhere).
# The including file sets TORVANE_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR.
#
# The "win32" threading variant: its run-time uses the system's threads
# directly. The "posix" one would give std::thread and std::mutex, but its
# exception handling and static initialisation bring winpthread along, about
# 30 KiB of every program we ship. The program's few thread primitives are
# its own instead (src/platform/Threads.h).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TORVANE_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TORVANE_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TORVANE_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${TORVANE_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

# Libraries and headers come from the mingw sysroot (zlib lives there) and the
# libjpeg we build ourselves; programs run on the build machine come from PATH.
set(CMAKE_FIND_ROOT_PATH /usr/${TORVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
