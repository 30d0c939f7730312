# tolvane_expose_headers(target): the target's include root holds its own
# headers, and only those, at their paths in the source tree (as links in
# the build folder). So `#include "gamepan/gamepan.h"` resolves only in a
# target that links the game panel: the build itself refuses an include
# against the direction of the libraries. Installed, the headers keep the
# same paths under include/tolvane.
# Made anew at each configure, so a header that moved leaves nothing behind.
file(REMOVE_RECURSE ${PROJECT_BINARY_DIR}/include)

function(tolvane_expose_headers target)
  get_target_property(sources ${target} SOURCES)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root}/${folder})
  set(headers)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.h$")
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${source} ${root}/${folder}/${source} SYMBOLIC)
      list(APPEND headers ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${root}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tolvane>)
  # A library built with the sanitizers needs their runtime wherever it is linked.
  if(TOLVANE_SANITIZE)
    target_link_options(${target} INTERFACE -fsanitize=address,undefined)
  endif()
  set_property(TARGET ${target} PROPERTY TOLVANE_HEADERS ${headers})
  set_property(TARGET ${target} PROPERTY TOLVANE_HEADER_FOLDER ${folder})
endfunction()
