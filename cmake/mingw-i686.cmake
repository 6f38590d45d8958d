# Toolchain for the cross tree: 32-bit Windows with Debian's mingw-w64. This
# is the build that ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TORVANE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
