# The build's own programs that write assets (and the small developer tools
# beside them).
#
#   mg_add_tool(NAME SOURCES ... [LIBS ...])
#
# MG_TOOLS_FROM names another build folder of this source tree whose tools
# are used as they are instead of being built again: the sanitizer build takes
# the normal build's, so the assets are written by optimised programs and no
# tool is compiled twice. The tools' code is still tested in both builds
# through their libraries.
set(MG_TOOLS_FROM "" CACHE PATH "A build folder whose tools this build runs instead of building its own")

# mg_import_tool(<folder under tools/> <name>): the tool of MG_TOOLS_FROM.
function(mg_import_tool folder name)
  set(program ${MG_TOOLS_FROM}/tools/${folder}/${name})
  if(NOT EXISTS ${program})
    message(FATAL_ERROR "MG_TOOLS_FROM: ${program} is missing; build ${MG_TOOLS_FROM} first")
  endif()
  add_executable(${name} IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${program})
endfunction()

function(mg_add_tool name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT MG_TOOLS_FROM)
    add_executable(${name} ${T_SOURCES})
    if(T_LIBS)
      target_link_libraries(${name} PRIVATE ${T_LIBS})
    endif()
    return()
  endif()
  file(RELATIVE_PATH folder ${CMAKE_BINARY_DIR}/tools ${CMAKE_CURRENT_BINARY_DIR})
  mg_import_tool(${folder} ${name})
endfunction()
