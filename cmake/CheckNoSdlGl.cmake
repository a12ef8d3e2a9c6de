# cmake -DBINARY=<file> -P CheckNoSdlGl.cmake
# Fails when the binary needs libSDL2 or a GL library at run time: tools and
# pure code must run on machines without either.
execute_process(COMMAND readelf -d ${BINARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "readelf -d ${BINARY} failed")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]*\\]" needed "${dynamic}")
foreach(library ${needed})
  if(library MATCHES "libSDL2|libGL|libGLU|libEGL|libOpenGL|libGLX")
    message(FATAL_ERROR "${BINARY} links ${library}")
  endif()
endforeach()
