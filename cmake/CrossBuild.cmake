# Cross trees: Install_Torvane.exe, the programs it carries, and the small
# Windows helpers the end-to-end tests run under Wine.
#   build/cross    i686-w64-mingw32 (cmake/mingw-i686.cmake): what ships
#   build/cross64  x86_64-w64-mingw32 (cmake/mingw-x86_64.cmake): the same
#                  sources for hosts that cannot run 32-bit code; a test
#                  vehicle only, it ships nowhere
#
# Configure with -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-<arch>.cmake
#                -DTORVANE_JPEG_MINGW_DIR=<prefix of the mingw libjpeg build>
# (scripts/build.sh does both).
include(${PROJECT_SOURCE_DIR}/cmake/PortableSources.cmake)

set(TORVANE_JPEG_MINGW_DIR "${PROJECT_SOURCE_DIR}/build/deps/libjpeg-mingw"
    CACHE PATH "Install prefix of libjpeg-turbo built for this tree's mingw target")
# The native tree's build tools (payload packer ...), run while building here.
set(TORVANE_NATIVE_DIR "${PROJECT_SOURCE_DIR}/build/native"
    CACHE PATH "Native build tree that holds the build tools")

add_compile_options(-Wall -Wextra)

# What ships is built for size: users pay for every byte of the download.
# -Os in place of -O2: smaller code, for programs whose time goes to the disk
# and to inflating; every function and object in its own section, so that the
# linker drops what nothing calls (--gc-sections).
foreach(lang C CXX)
  foreach(config RELEASE RELWITHDEBINFO MINSIZEREL DEBUG)
    string(REGEX REPLACE "(^| )-O[0-3sg]( |$)" " " CMAKE_${lang}_FLAGS_${config} "${CMAKE_${lang}_FLAGS_${config}}")
  endforeach()
endforeach()
add_compile_options(-Os -ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)
# Link-time optimisation: the program is compiled as a whole when it is
# linked, so functions nothing calls are never emitted. The linker alone
# cannot drop them, as their unwind tables hold on to them. One partition:
# Debian's mingw GCC 12 stops with an internal compiler error
# (binds_to_current_def_p) when it splits the program into several, and one
# partition also keeps the output independent of how many jobs link it.
add_compile_options(-flto)
add_link_options(-flto -flto-partition=none -Os)
# No run-time type information: every class with virtual functions would
# otherwise carry its type's name (lambdas' mangled names run long). Nothing
# asks for a type at run time; the exceptions still carry theirs, which
# catching by type needs.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)

# Reproducible: the same commit gives the same bytes in any folder, on any
# day. No time stamp in the PE header (the linker writes 0); no folder of the
# build machine in the code (__FILE__ and debug information name the files
# relative to the tree); archives without dates, owners or modes (ar D).
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}/=build/)
add_link_options(-Wl,--no-insert-timestamp)
# The objects hold the compiler's intermediate code for link-time
# optimisation, so the archives are written and indexed by the compiler's
# plugin-aware ar and ranlib (gcc-ar, gcc-ranlib).
foreach(lang C CXX)
  set(_ar ${CMAKE_${lang}_COMPILER_AR})
  set(_ranlib ${CMAKE_${lang}_COMPILER_RANLIB})
  if(NOT _ar OR NOT _ranlib)
    message(FATAL_ERROR "No gcc-ar/gcc-ranlib beside ${CMAKE_${lang}_COMPILER}")
  endif()
  set(CMAKE_${lang}_ARCHIVE_CREATE "${_ar} qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_APPEND "${_ar} qD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_FINISH "${_ranlib} -D <TARGET>")
endforeach()

# Every program we ship stands alone: C and C++ run-times and winpthread are
# linked in, and the loader may place it anywhere (ASLR, needs .reloc, which
# binutils 2.40 keeps with --dynamicbase) and never runs its data (DEP).
# What ships carries no symbols: -s strips them at link time (the payloads
# the setup carries shrink with it).
add_link_options(-static -static-libgcc -static-libstdc++
                 -Wl,--dynamicbase -Wl,--nxcompat -s)
# --high-entropy-va (ASLR over the whole 64-bit space) exists only for PE32+
# images: the x86_64 test build has it, the 32-bit setup cannot.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(-Wl,--high-entropy-va)
  # A manifest names the processor of the program and of the common controls
  # it binds to; "x86" in a 64-bit program makes every BUTTON and STATIC
  # window fail to be created (no such class). The x86_64 build gets copies
  # saying amd64, which its resource scripts take from amd64/ (#ifdef _WIN64).
  set(_amd64_manifests ${CMAKE_BINARY_DIR}/manifests-amd64)
  file(GLOB _manifests ${PROJECT_SOURCE_DIR}/src/entry/win32/*.manifest
                       ${PROJECT_SOURCE_DIR}/carried/*/*.manifest)
  foreach(manifest IN LISTS _manifests)
    get_filename_component(_name ${manifest} NAME)
    file(READ ${manifest} _text)
    string(REPLACE "processorArchitecture=\"x86\"" "processorArchitecture=\"amd64\"" _text "${_text}")
    file(CONFIGURE OUTPUT ${_amd64_manifests}/amd64/${_name} CONTENT "${_text}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
  endforeach()
  add_compile_options($<$<COMPILE_LANGUAGE:RC>:-I${_amd64_manifests}>)
endif()

# --- zlib (libz-mingw-w64-dev, static archive in the sysroot) -----------------
find_library(TORVANE_MINGW_ZLIB NAMES libz.a REQUIRED)
find_path(TORVANE_MINGW_ZLIB_INCLUDE zlib.h REQUIRED)
add_library(torvane_zlib STATIC IMPORTED)
set_target_properties(torvane_zlib PROPERTIES
  IMPORTED_LOCATION "${TORVANE_MINGW_ZLIB}"
  INTERFACE_INCLUDE_DIRECTORIES "${TORVANE_MINGW_ZLIB_INCLUDE}")

# --- libjpeg (built by scripts/build-libjpeg-mingw.sh) -------------------------
set(_jpeg_lib "${TORVANE_JPEG_MINGW_DIR}/lib/libjpeg.a")
if(NOT EXISTS "${_jpeg_lib}")
  message(FATAL_ERROR "No mingw libjpeg at ${_jpeg_lib}: run scripts/build-libjpeg-mingw.sh "
                      "or pass -DTORVANE_JPEG_MINGW_DIR=<prefix>")
endif()
add_library(torvane_jpeg STATIC IMPORTED)
set_target_properties(torvane_jpeg PROPERTIES
  IMPORTED_LOCATION "${_jpeg_lib}"
  INTERFACE_INCLUDE_DIRECTORIES "${TORVANE_JPEG_MINGW_DIR}/include")

# --- Install_Torvane.exe -------------------------------------------------------
file(GLOB TORVANE_WIN32_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/ui/win32/*.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/win32/*.cpp
  ${PROJECT_SOURCE_DIR}/src/entry/win32/*.cpp)
file(GLOB TORVANE_WIN32_RESOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/entry/win32/*.rc)

# Import only DLLs that Windows always takes from System32 (KnownDLLs).
# wininet, version and comctl32 are deliberately absent: a DLL of that name
# planted beside a downloaded setup would be loaded before WinMain runs, so
# the program loads them itself, by full System32 path, at run time.
# scripts/check-pe.sh enforces this list.
set(TORVANE_SYSTEM_LIBS user32 gdi32 shell32 advapi32 ole32 oleaut32 uuid)

include(${PROJECT_SOURCE_DIR}/cmake/BuildConfig.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/Signing.cmake)

# Stand-ins for parts of the C++ run-time (its terminate handler, the
# functions that raise the standard library's failures), linked into every
# C++ program that ships as objects of their own: from an archive they would
# come too late to stand in for the run-time's.
set(TORVANE_RUNTIME_STAND_INS ${PROJECT_SOURCE_DIR}/src/base/win32/QuietTerminate.cpp
                              ${PROJECT_SOURCE_DIR}/src/base/win32/LibraryThrows.cpp)
set(TORVANE_SEEDGEN ${TORVANE_NATIVE_DIR}/tools/seedgen)
if(NOT EXISTS ${TORVANE_SEEDGEN})
  message(FATAL_ERROR "No ${TORVANE_SEEDGEN}: build the native tree first (scripts/build.sh does)")
endif()
torvane_generated_sources(TORVANE_GENERATED_SOURCES ${TORVANE_SEEDGEN})

# --- the programs the setup carries ----------------------------------------------
# carried/CMakeLists.txt builds each carried program as its own small exe and
# names the files to pack (TORVANE_PAYLOAD_*): those built here, or a maker's.
if(EXISTS ${PROJECT_SOURCE_DIR}/carried/CMakeLists.txt)
  add_subdirectory(${PROJECT_SOURCE_DIR}/carried ${CMAKE_BINARY_DIR}/carried)
endif()
if(NOT TORVANE_PAYLOAD_CLIENT)
  message(FATAL_ERROR "carried/CMakeLists.txt must name the payload files (TORVANE_PAYLOAD_*)")
endif()
torvane_payload_sources(TORVANE_PAYLOAD_SOURCES ${TORVANE_NATIVE_DIR}/tools/packer
  "${TORVANE_PAYLOAD_CLIENT}" "${TORVANE_PAYLOAD_UNINSTALLER}" "${TORVANE_PAYLOAD_TOOLBAR}"
  "${TORVANE_PAYLOAD_DEPENDS}")
list(APPEND TORVANE_GENERATED_SOURCES ${TORVANE_PAYLOAD_SOURCES})
include(${PROJECT_SOURCE_DIR}/cmake/Assets.cmake)
torvane_asset_sources(TORVANE_ASSET_SOURCES ${TORVANE_NATIVE_DIR}/tools/embed)
list(APPEND TORVANE_GENERATED_SOURCES ${TORVANE_ASSET_SOURCES})

if(EXISTS ${PROJECT_SOURCE_DIR}/src/entry/win32/WinMain.cpp)
  set(TORVANE_URLGEN ${TORVANE_NATIVE_DIR}/tools/urlgen)
  if(NOT EXISTS ${TORVANE_URLGEN})
    message(FATAL_ERROR "No ${TORVANE_URLGEN}: build the native tree first (scripts/build.sh does)")
  endif()
  # Everything but the report URL and the upgrade's retry timing is compiled
  # once and linked into three programs: Install_Torvane.exe with the
  # configured report service, the one that ships; and, for the end-to-end
  # scenarios only, Install_Torvane_loopback.exe, whose reports go to a
  # plain-http server on 127.0.0.1 that the tests run, and
  # Install_Torvane_quickretry.exe, whose upgrade waits 50 ms instead of a
  # second between its retries (TORVANE_SHORT_RETRY_WAITS), so that a client
  # locked for all 21 attempts takes seconds, not five minutes. The test
  # pe.retry_timing reads the timing back out of each of them.
  set(TORVANE_RETRY_TIMING_SOURCE ${PROJECT_SOURCE_DIR}/src/panels/RetryTiming.cpp)
  # The library is an archive, not a set of objects, so that the linker takes
  # only the objects the program reaches (the data-file decoder, for one, is
  # the client's and the tests', not the setup's). The entry stays out of it:
  # nothing in the archive calls WinMain, so the linker would not fetch it.
  set(TORVANE_SETUP_ENTRY ${PROJECT_SOURCE_DIR}/src/entry/win32/WinMain.cpp)
  set(_shared_sources ${TORVANE_PORTABLE_SOURCES} ${TORVANE_WIN32_SOURCES})
  list(REMOVE_ITEM _shared_sources ${TORVANE_RETRY_TIMING_SOURCE} ${TORVANE_SETUP_ENTRY})
  add_library(torvane_setup_library STATIC ${_shared_sources} ${TORVANE_GENERATED_SOURCES})
  target_include_directories(torvane_setup_library PUBLIC ${PROJECT_SOURCE_DIR}/src ${TORVANE_GENERATED_DIR})
  target_include_directories(torvane_setup_library PRIVATE
    $<TARGET_PROPERTY:torvane_jpeg,INTERFACE_INCLUDE_DIRECTORIES>
    $<TARGET_PROPERTY:torvane_zlib,INTERFACE_INCLUDE_DIRECTORIES>)
  torvane_report_url_source(TORVANE_RELEASE_URL_SOURCE ${TORVANE_URLGEN} "${TORVANE_REPORT_URL}" release)
  torvane_report_url_source(TORVANE_LOOPBACK_URL_SOURCE ${TORVANE_URLGEN} "${TORVANE_E2E_REPORT_URL}" loopback)
  # The timing source is compiled as it is for the two programs with the
  # normal waits, and a second time, with the short waits, in a library of
  # its own (one source file cannot carry two sets of definitions in one
  # target).
  add_library(torvane_retry_timing OBJECT ${TORVANE_RETRY_TIMING_SOURCE})
  add_library(torvane_retry_timing_short OBJECT ${TORVANE_RETRY_TIMING_SOURCE})
  target_compile_definitions(torvane_retry_timing_short PRIVATE TORVANE_SHORT_RETRY_WAITS)
  foreach(timing torvane_retry_timing torvane_retry_timing_short)
    target_include_directories(${timing} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  endforeach()
  foreach(variant "Install_Torvane|${TORVANE_RELEASE_URL_SOURCE}|torvane_retry_timing"
                  "Install_Torvane_loopback|${TORVANE_LOOPBACK_URL_SOURCE}|torvane_retry_timing"
                  "Install_Torvane_quickretry|${TORVANE_RELEASE_URL_SOURCE}|torvane_retry_timing_short")
    string(REPLACE "|" ";" variant "${variant}")
    list(GET variant 0 target)
    list(GET variant 1 url_source)
    list(GET variant 2 timing)
    add_executable(${target} WIN32
      ${TORVANE_SETUP_ENTRY} $<TARGET_OBJECTS:${timing}> ${url_source}
      ${TORVANE_WIN32_RESOURCES} ${TORVANE_RUNTIME_STAND_INS})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${target} SUFFIX .exe)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${TORVANE_GENERATED_DIR})
    # ANSI program with WinMain: no -municode, no UNICODE macros.
    target_link_libraries(${target} PRIVATE torvane_setup_library torvane_jpeg torvane_zlib ${TORVANE_SYSTEM_LIBS})
    # Resource scripts may pull in the manifest and icon by relative path.
    set_property(TARGET ${target} APPEND PROPERTY
      COMPILE_OPTIONS $<$<COMPILE_LANGUAGE:RC>:-I${PROJECT_SOURCE_DIR}/src/entry/win32>)
  endforeach()
  torvane_sign_program(Install_Torvane "Torvane P2P 4.43 setup" ANNOUNCE_UNSIGNED)
  torvane_sign_program(Install_Torvane_loopback "Torvane P2P 4.43 setup (loopback test copy)")
else()
  message(STATUS "src/entry/win32/WinMain.cpp not there yet: Install_Torvane.exe is not built")
endif()


# --- Windows helpers for the end-to-end tests (wintext.exe, marker DLL ...) -------
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/e2e ${CMAKE_BINARY_DIR}/e2e)
# FindFiles timed against a bare FindFirstFileA walk, run by hand under Wine.
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/bench/win32 ${CMAKE_BINARY_DIR}/bench)
# Tests of the Win32 layer itself, run under Wine.
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/win32 ${CMAKE_BINARY_DIR}/win32)
