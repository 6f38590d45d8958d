# Native tree (Linux): the portable core, its unit tests, the build tools, and
# the registration of every test ctest runs (unit, layering, PE, end-to-end).
include(${PROJECT_SOURCE_DIR}/cmake/PortableSources.cmake)

option(TORVANE_SANITIZE "Build the native tree with AddressSanitizer and UBSan" OFF)

add_compile_options(-Wall -Wextra)
if(TORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(Threads REQUIRED)

enable_testing()

# --- torvane_core: everything portable, as one static library -----------------
include(${PROJECT_SOURCE_DIR}/cmake/BuildConfig.cmake)
torvane_generated_sources(TORVANE_GENERATED_SOURCES seedgen)
# The native tree has no Windows programs to carry: deterministic stand-ins of
# fixed sizes take their place, so the extraction runs on the same code.
torvane_payload_sources(TORVANE_PAYLOAD_SOURCES packer
  "--synthetic,300123" "--synthetic,81234" "--synthetic,50321" "")
list(APPEND TORVANE_GENERATED_SOURCES ${TORVANE_PAYLOAD_SOURCES})
include(${PROJECT_SOURCE_DIR}/cmake/Assets.cmake)
torvane_asset_sources(TORVANE_ASSET_SOURCES embed)
list(APPEND TORVANE_GENERATED_SOURCES ${TORVANE_ASSET_SOURCES})
torvane_report_url_source(TORVANE_REPORT_URL_SOURCE urlgen "${TORVANE_REPORT_URL}" release)
list(APPEND TORVANE_GENERATED_SOURCES ${TORVANE_REPORT_URL_SOURCE})
# The thread primitives over the C++ library's: the native build's own
# implementation of platform/Threads.h (the cross tree has the Win32 one).
file(GLOB TORVANE_NATIVE_PLATFORM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/std/*.cpp)
if(TORVANE_PORTABLE_SOURCES)
  add_library(torvane_core STATIC ${TORVANE_PORTABLE_SOURCES} ${TORVANE_GENERATED_SOURCES}
                                  ${TORVANE_NATIVE_PLATFORM_SOURCES})
  target_include_directories(torvane_core PUBLIC ${PROJECT_SOURCE_DIR}/src ${TORVANE_GENERATED_DIR})
  target_link_libraries(torvane_core PUBLIC ZLIB::ZLIB JPEG::JPEG Threads::Threads)
else()
  # No portable sources yet: keep the target so tests and tools can link it.
  add_library(torvane_core INTERFACE)
  target_include_directories(torvane_core INTERFACE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(torvane_core INTERFACE ZLIB::ZLIB JPEG::JPEG Threads::Threads)
endif()

# --- unit tests ------------------------------------------------------------------
file(GLOB TORVANE_UNIT_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp
  ${PROJECT_SOURCE_DIR}/tests/fakes/*.cpp)
if(TORVANE_UNIT_SOURCES)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(unit_tests ${TORVANE_UNIT_SOURCES})
  target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(unit_tests PRIVATE torvane_core GTest::gmock GTest::gtest_main)
  # The URL the report tests expect ScrambledReportBaseUrl() to give back.
  target_compile_definitions(unit_tests PRIVATE "TORVANE_EXPECTED_REPORT_URL=\"${TORVANE_REPORT_URL}\"")
  # Parts of the build tools: the seed lists' encoder, tested against the
  # decoder the program carries, and the picture embedder's JPEG check.
  target_sources(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/seedgen/SeedEncoder.cpp
                                    ${PROJECT_SOURCE_DIR}/tools/embed/JpegLayout.cpp)
  target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
  # The portable parts of the carried programs (uninstall list, client and
  # toolbar texts): the cross tree builds them into the programs, the unit
  # tests test them here.
  include(${PROJECT_SOURCE_DIR}/carried/PortableSources.cmake OPTIONAL)
  if(TORVANE_CARRIED_PORTABLE_SOURCES)
    target_sources(unit_tests PRIVATE ${TORVANE_CARRIED_PORTABLE_SOURCES})
    target_include_directories(unit_tests PRIVATE ${TORVANE_CARRIED_INCLUDE_DIR})
  endif()
endif()

# --- benchmarks (run with scripts/run-bench.sh) ------------------------------------
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/bench ${CMAKE_BINARY_DIR}/bench)

# --- build tools (payload packer, seed-data generator, dump) ----------------------
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/CMakeLists.txt)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tools ${CMAKE_BINARY_DIR}/tools)
endif()

# --- a short fuzzing run of the parsers (longer runs: scripts/run-fuzz.sh 600) ---
find_program(TORVANE_CLANG clang++)
if(TORVANE_CLANG)
  add_test(NAME fuzz.short COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/run-fuzz.sh 10)
  set_tests_properties(fuzz.short PROPERTIES LABELS fuzz TIMEOUT 600)
endif()

# --- layering: the include rules of src/README.md, over src/, carried/, tools/ -----
add_test(NAME lint.layering COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-layering.sh
         ${PROJECT_SOURCE_DIR})
add_test(NAME lint.layering_self_test
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-layering.sh --self-test)
# --- formatting: every C and C++ file as .clang-format lays it out ------------------
add_test(NAME lint.format COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-format.sh
         ${PROJECT_SOURCE_DIR})
add_test(NAME lint.format_self_test
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-format.sh --self-test)
set_tests_properties(lint.layering lint.layering_self_test lint.format lint.format_self_test
                     PROPERTIES LABELS lint)
# --- setup-deps.sh against a misbehaving package archive (stand-ins, no apt) ---------
add_test(NAME scripts.setup_deps COMMAND bash ${PROJECT_SOURCE_DIR}/tests/scripts/test_setup_deps.sh)
set_tests_properties(scripts.setup_deps PROPERTIES LABELS scripts)

# --- which Wine runs the end-to-end tests --------------------------------------------
# win32: the shipped 32-bit build under wine32. x64: the x86_64 build of the same
# sources (build/cross64) under wine64, on hosts that cannot execute 32-bit code
# or when TORVANE_WINE_ROUTE=x64 forces it. The probe is scripts/host-route.sh,
# the same one the README commands use; the route is decided at each configure.
execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/host-route.sh
  OUTPUT_VARIABLE TORVANE_E2E_ROUTE OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE _route_status)
if(NOT _route_status EQUAL 0 OR NOT TORVANE_E2E_ROUTE MATCHES "^(win32|x64)$")
  message(FATAL_ERROR "scripts/host-route.sh failed (${_route_status}): '${TORVANE_E2E_ROUTE}'")
endif()
message(STATUS "Wine tests run the ${TORVANE_E2E_ROUTE} build")
get_filename_component(_default_cross64 "${CMAKE_BINARY_DIR}/../cross64" ABSOLUTE)
set(TORVANE_CROSS64_DIR "${_default_cross64}" CACHE PATH
    "x86_64 cross tree, run by the Wine tests on the x64 route")

# --- end-to-end scenarios and the PE header check ----------------------------------
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/e2e ${CMAKE_BINARY_DIR}/e2e)
# Tests of the Win32 layer itself, run under Wine.
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/win32 ${CMAKE_BINARY_DIR}/win32)
