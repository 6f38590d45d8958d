# The portable parts of the carried programs: no Windows headers, built into
# the programs by carried/CMakeLists.txt (cross tree) and into unit_tests by
# cmake/NativeBuild.cmake. Their headers are included as "uninstall/...",
# "client/...", "toolbar/...", "common/..." (include directory carried/).
set(TORVANE_CARRIED_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/client/ClientReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/UninstallList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/LineRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/Confinement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/ListDigest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/DiskCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/KeepRule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/Plan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/Run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/Report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uninstall/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar/ToolbarStandIn.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar/ToolbarCore.c)
set(TORVANE_CARRIED_INCLUDE_DIR ${CMAKE_CURRENT_LIST_DIR})
