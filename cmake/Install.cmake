# Installs Tolvane as a desktop game (the binary's own rule is in
# app/CMakeLists.txt) and describes its Debian package, built by CPack from
# the same rules:
#   cmake --install BUILD --prefix PREFIX
#   cpack --config BUILD/CPackConfig.cmake -B OUTDIR      (make package)
set(TOLVANE_APP_ID org.example.tolvane)
set(tolvane_desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)

# The background pictures: the program looks for them in the current
# folder first, then in <folder of the binary>/../share/tolvane.
foreach(index RANGE 1 5)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/backgr${index}.bmp
    DESTINATION ${CMAKE_INSTALL_DATADIR}/tolvane)
endforeach()

# Launcher, AppStream metadata and the hicolor icons (16 to 256 pixels and
# a scalable one), all under the application's reverse-DNS id.
install(FILES ${tolvane_desktop_dir}/${TOLVANE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${tolvane_desktop_dir}/${TOLVANE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)

# The manual page and the changelog are installed compressed, as Debian
# wants them. gzip -n leaves out name and time, so the output depends on the
# text alone; it is made when CMake configures (again after an edit), so an
# install needs no build step besides the binary's.
function(tolvane_gzip source output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9 -n -c ${source}
    OUTPUT_FILE ${output} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
endfunction()
set(tolvane_gz_dir ${PROJECT_BINARY_DIR}/install-gz)
file(MAKE_DIRECTORY ${tolvane_gz_dir})
tolvane_gzip(${tolvane_desktop_dir}/tolvane.6 ${tolvane_gz_dir}/tolvane.6.gz)
tolvane_gzip(${tolvane_desktop_dir}/changelog ${tolvane_gz_dir}/changelog.gz)
install(FILES ${tolvane_gz_dir}/tolvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# What lintian may not conclude about the package, with the reason.
install(FILES ${tolvane_desktop_dir}/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME tolvane)
# The documentation folder is named after the package, not the project.
install(FILES ${tolvane_desktop_dir}/copyright ${tolvane_gz_dir}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tolvane)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tolvane developers")
set(CPACK_PACKAGE_CONTACT "Tolvane developers <tolvane@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tolvane.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "collection of four classic one-player games")
set(CPACK_PACKAGE_DESCRIPTION
  "Tolvane shows four small games in one window of fixed size: Tetris,
where falling pieces fill the rows of a well; Arcanoid, a brick breaker
with ten levels and bonus squares; Scramble, a sliding-tile puzzle; and
Figures, where five coloured pieces are turned and moved until they form
a square. Each game keeps a table of its five best results.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tolvane developers <tolvane@example.org>")
# The libraries the binary needs, found by dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library dependency names them: Qt's Wayland
# platform (without it a Wayland session runs the program through XWayland)
# and Qt's translations of its standard buttons.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
# Debian keeps the programs of section games in /usr/games: the package
# moves the installed binary there before it is packed. The program still
# finds its pictures, as /usr/games/../share/tolvane is /usr/share/tolvane.
set(tolvane_to_games ${PROJECT_BINARY_DIR}/install-deb-games.cmake)
file(CONFIGURE OUTPUT ${tolvane_to_games} @ONLY CONTENT [=[
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${root}/@CMAKE_INSTALL_BINDIR@/tolvane")
  message(FATAL_ERROR "no ${root}/@CMAKE_INSTALL_BINDIR@/tolvane to move to games/")
endif()
file(MAKE_DIRECTORY "${root}/games")
file(RENAME "${root}/@CMAKE_INSTALL_BINDIR@/tolvane" "${root}/games/tolvane")
# CPack strips the debug symbols; the compiler's notes go too, as dh_strip does.
execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment --remove-section=.note
  "${root}/games/tolvane" COMMAND_ERROR_IS_FATAL ANY)
file(GLOB left "${root}/@CMAKE_INSTALL_BINDIR@/*")
if(NOT left)
  file(REMOVE_RECURSE "${root}/@CMAKE_INSTALL_BINDIR@")
endif()
]=])
set(CPACK_PRE_BUILD_SCRIPTS ${tolvane_to_games})
# The package holds the game alone: the install rules without a component
# of their own. The game panel's library, headers and Designer plugin are
# for developers (cmake --install).
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
include(CPack)
