# Authenticode signing of what ships, a build option of the cross tree. With
# a certificate named, each carried program is signed right after it is
# linked (so the setup packs the signed file) and the setup right after it is
# linked, by scripts/sign-pe.sh (osslsigncode, SHA-256). Without one the
# build says once that the setup is unsigned.
set(TORVANE_SIGN_CERT "" CACHE FILEPATH
    "Code-signing certificate: PEM (with TORVANE_SIGN_KEY) or PKCS#12 (.p12/.pfx, key included); empty: unsigned")
set(TORVANE_SIGN_KEY "" CACHE FILEPATH "Private key of a PEM certificate")
set(TORVANE_SIGN_PASSWORD_FILE "" CACHE FILEPATH
    "File whose first line is the password of the key or PKCS#12 file (empty: none)")
set(TORVANE_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server (empty: no time stamp)")

if(TORVANE_SIGN_CERT)
  find_program(TORVANE_OSSLSIGNCODE osslsigncode)
  if(NOT TORVANE_OSSLSIGNCODE)
    message(FATAL_ERROR "Signing asks for osslsigncode (scripts/setup-deps.sh installs it)")
  endif()
  foreach(file TORVANE_SIGN_CERT TORVANE_SIGN_KEY TORVANE_SIGN_PASSWORD_FILE)
    if(${file} AND NOT EXISTS "${${file}}")
      message(FATAL_ERROR "${file}: ${${file}} does not exist")
    endif()
  endforeach()
  set(TORVANE_SIGN_ARGS --cert "${TORVANE_SIGN_CERT}")
  if(TORVANE_SIGN_KEY)
    list(APPEND TORVANE_SIGN_ARGS --key "${TORVANE_SIGN_KEY}")
  endif()
  if(TORVANE_SIGN_PASSWORD_FILE)
    list(APPEND TORVANE_SIGN_ARGS --password-file "${TORVANE_SIGN_PASSWORD_FILE}")
  endif()
  if(TORVANE_SIGN_TIMESTAMP_URL)
    list(APPEND TORVANE_SIGN_ARGS --timestamp "${TORVANE_SIGN_TIMESTAMP_URL}")
  endif()
  list(APPEND TORVANE_SIGN_ARGS --url "${TORVANE_WEB_SERVER}")
  message(STATUS "Signing the setup and its programs with ${TORVANE_SIGN_CERT}")
endif()

# torvane_sign_program(<target> <description>): signs the target's file after
# every link. `announce_unsigned` set: an unsigned build says so then.
function(torvane_sign_program target description)
  cmake_parse_arguments(PARSE_ARGV 2 arg "ANNOUNCE_UNSIGNED" "" "")
  if(TORVANE_SIGN_CERT)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/sign-pe.sh ${TORVANE_SIGN_ARGS}
              --description "${description}" $<TARGET_FILE:${target}>
      VERBATIM)
  elseif(arg_ANNOUNCE_UNSIGNED)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E echo
              "$<TARGET_FILE_NAME:${target}> is unsigned: no TORVANE_SIGN_CERT given (docs/releasing.md)"
      VERBATIM)
  endif()
endfunction()

# torvane_signed_copy(<file> <out var> <target var>): a maker's own program,
# carried instead of one built here, signed on the way when signing is on and
# it has no signature of its own yet. Gives the file to pack in <out var> and
# the target that makes it in <target var> (empty: nothing to make).
function(torvane_signed_copy file out_var target_var)
  set(${target_var} "" PARENT_SCOPE)
  if(NOT TORVANE_SIGN_CERT)
    set(${out_var} "${file}" PARENT_SCOPE)
    return()
  endif()
  get_filename_component(name "${file}" NAME)
  set(copy ${CMAKE_BINARY_DIR}/signed/${name})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy "${file}" ${copy}
    COMMAND bash -c "if osslsigncode extract-signature -in \"$0\" -out \"$0.sig\" >/dev/null 2>&1; then rm -f \"$0.sig\"; echo \"$0 carries its own signature\"; else bash \"$@\"; fi"
            ${copy} ${PROJECT_SOURCE_DIR}/scripts/sign-pe.sh ${TORVANE_SIGN_ARGS} --description ${name} ${copy}
    DEPENDS "${file}"
    COMMENT "Signing a copy of ${file}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "torvane_signed_${name}" target)
  add_custom_target(${target} DEPENDS ${copy})
  set(${out_var} ${copy} PARENT_SCOPE)
  set(${target_var} ${target} PARENT_SCOPE)
endfunction()
