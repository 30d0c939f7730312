# The game panel as a library for other programs. `cmake --install` puts the
# panel with the boards and the toolkit it needs (static libraries), their
# headers under include/tolvane and a package configuration in place, so
# that another project writes
#   find_package(TolvaneGamePan CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE Tolvane::GamePan)
# These are for developers: the game's own package leaves them out.
include(CMakePackageConfigHelpers)

# Libraries under the names other projects see: Tolvane::GamePan and the
# ones it links.
set(tolvane_panel_libraries
  tolvane_platform:Platform tolvane_widgets:Widgets tolvane_board:Board
  tolvane_scramble:Scramble tolvane_tetris:Tetris tolvane_arcanoid:Arcanoid
  tolvane_figures:Figures
  tolvane_gamepan:GamePan)
set(tolvane_panel_targets)
foreach(entry IN LISTS tolvane_panel_libraries)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 target)
  list(GET entry 1 name)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  list(APPEND tolvane_panel_targets ${target})
  get_target_property(headers ${target} TOLVANE_HEADERS)
  get_target_property(folder ${target} TOLVANE_HEADER_FOLDER)
  install(FILES ${headers}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tolvane/${folder} COMPONENT development)
endforeach()

install(TARGETS ${tolvane_panel_targets} EXPORT TolvaneGamePanTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
set(tolvane_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TolvaneGamePan)
install(EXPORT TolvaneGamePanTargets NAMESPACE Tolvane::
  DESTINATION ${tolvane_package_dir} COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TolvaneGamePanConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TolvaneGamePanConfig.cmake
  INSTALL_DESTINATION ${tolvane_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TolvaneGamePanConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TolvaneGamePanConfig.cmake
  ${PROJECT_BINARY_DIR}/TolvaneGamePanConfigVersion.cmake
  DESTINATION ${tolvane_package_dir} COMPONENT development)
