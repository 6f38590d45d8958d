# Toolchain for the cross64 tree: the same sources for x86_64 Windows, run by
# the end-to-end tests under wine64 on hosts that cannot execute 32-bit code.
# A test vehicle only: it ships nowhere.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TORVANE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
