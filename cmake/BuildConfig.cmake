# Host names and addresses a maker sets for a release. The defaults are in the
# reserved .example domain, so a build made without them reaches nobody.
set(TORVANE_WEB_SERVER "http://www.torvane.example" CACHE STRING "Maker's web server (scheme and host)")
set(TORVANE_MIRROR_SERVER "http://mirror.torvane.example" CACHE STRING "Mirror server (scheme and host)")
set(TORVANE_COUNTER_SERVER "http://count.torvane.example" CACHE STRING "Counter server (scheme and host)")
set(TORVANE_REPORT_URL "https://report.torvane.example/error/report.php?" CACHE STRING
    "Base URL of the error-report service; the query is appended directly")
# The end-to-end scenarios run a second copy of the setup whose reports go to
# a plain-http server on this loopback port (tests/e2e/report_server.py).
set(TORVANE_E2E_REPORT_PORT 47613 CACHE STRING "Loopback port of the end-to-end tests' report server")
set(TORVANE_E2E_REPORT_URL "http://127.0.0.1:${TORVANE_E2E_REPORT_PORT}/error/report.php?")
set(TORVANE_SUPPORT_EMAIL "support@torvane.example" CACHE STRING "Support e-mail address")
set(TORVANE_TOOLBAR_LICENCE_URL "https://toolbar.torvane.example/eula/" CACHE STRING
    "The toolbar provider's licence page")

set(TORVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${TORVANE_GENERATED_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/BuildConfig.h.in ${TORVANE_GENERATED_DIR}/generated/BuildConfig.h @ONLY)

# Sources made at build time by the native tools. `tool_prefix` is where the
# tool executables are: the native tree builds them itself, the cross tree
# uses the native tree's.
function(torvane_generated_sources out_var seedgen_command)
  set(seed_tables ${TORVANE_GENERATED_DIR}/generated/GB_TORVANE_DAT_Tables.cpp)
  add_custom_command(OUTPUT ${seed_tables}
    COMMAND ${seedgen_command} ${seed_tables}
    DEPENDS ${seedgen_command}
    COMMENT "Generating the seed lists of the client's data file")
  set(${out_var} ${seed_tables} PARENT_SCOPE)
endfunction()

# The error report's base URL, scrambled by tools/urlgen into a source that
# defines ScrambledReportBaseUrl(). `name` tells apart the copies one tree
# makes (the release URL, the end-to-end tests' loopback URL).
function(torvane_report_url_source out_var urlgen_command url name)
  set(output ${TORVANE_GENERATED_DIR}/generated/ReportUrl_${name}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${urlgen_command} ${output} ${url}
    DEPENDS ${urlgen_command}
    COMMENT "Scrambling the ${name} report URL"
    VERBATIM)
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()

# The carried files' chunk tables, packed by tools/packer. `packer_command` is
# the packer (a target name natively, a path in the cross tree); each input is
# either a file path or "--synthetic;<bytes>" for a stand-in of that size.
function(torvane_payload_sources out_var packer_command client uninstaller toolbar depends)
  set(sources)
  foreach(pair "GB_TorvaneP2P_exe|${client}" "GB_Uninstall_exe|${uninstaller}"
               "GB_torvane_toolbar_exe|${toolbar}")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 unit)
    list(GET pair 1 input)
    string(REPLACE "," ";" input "${input}")
    set(header ${TORVANE_GENERATED_DIR}/generated/${unit}_Sizes.h)
    set(table ${TORVANE_GENERATED_DIR}/generated/${unit}_Table.cpp)
    set(input_depends)
    if(NOT input MATCHES "^--synthetic")
      set(input_depends ${input})
    endif()
    add_custom_command(OUTPUT ${header} ${table}
      COMMAND ${packer_command} ${unit} ${input} ${header} ${table}
      DEPENDS ${packer_command} ${input_depends} ${depends}
      COMMENT "Packing ${unit}")
    list(APPEND sources ${table} ${header})
  endforeach()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
