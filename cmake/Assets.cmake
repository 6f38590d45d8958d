# The pictures the panels show (drawn by assets/make-art.sh, committed), built
# into the program as byte arrays by tools/embed (ui/EmbeddedFiles.h).
# Included by both trees after BuildConfig.cmake; `embed_command` is the tool:
# a target name in the native tree, the native tree's executable in the cross
# tree.
set(TORVANE_EMBEDDED_ASSETS
  Welcome.jpg DisclaimerSmall.bmp InstallChoice.jpg Folder.jpg Connection.jpg
  ToolbarBanner.jpg ToolbarStrip.jpg ReadyToInstall.jpg Finished.bmp Error.jpg Search.jpg
  Upgraded.jpg)

function(torvane_asset_sources out_var embed_command)
  if(IS_ABSOLUTE "${embed_command}" AND NOT EXISTS "${embed_command}")
    message(FATAL_ERROR "No ${embed_command}: build the native tree first (scripts/build.sh does)")
  endif()
  set(output ${TORVANE_GENERATED_DIR}/generated/EmbeddedAssets.cpp)
  set(arguments)
  set(files)
  foreach(name IN LISTS TORVANE_EMBEDDED_ASSETS)
    list(APPEND arguments "${name}=${PROJECT_SOURCE_DIR}/assets/${name}")
    list(APPEND files ${PROJECT_SOURCE_DIR}/assets/${name})
  endforeach()
  add_custom_command(OUTPUT ${output}
    COMMAND ${embed_command} ${output} ${arguments}
    DEPENDS ${embed_command} ${files}
    COMMENT "Embedding the pictures")
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()
