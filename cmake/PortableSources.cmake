# The portable folders: plain C++ that never includes <windows.h>. Both trees
# compile them; the cross tree adds the Win32 peers, the native tree the tests.
set(TORVANE_PORTABLE_DIRS app panels payload lib ui platform base)
set(TORVANE_PORTABLE_SOURCES)
foreach(dir IN LISTS TORVANE_PORTABLE_DIRS)
  file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
  list(APPEND TORVANE_PORTABLE_SOURCES ${found})
endforeach()
