# The program's version is general text 18 of the string archive
# (assets/lang/general.txt), the text the program itself shows, and its
# product name is text 19. They become MG_PROGRAM_VERSION and
# MG_PRODUCT_TITLE here and, through mg_program_version_header(), the
# generated header "program_version.h" for code that shows the version.
get_filename_component(mg_general_texts ${CMAKE_CURRENT_LIST_DIR}/../assets/lang/general.txt
                       ABSOLUTE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${mg_general_texts})
file(STRINGS ${mg_general_texts} mg_version_line REGEX "^18=")
if(NOT mg_version_line MATCHES "^18=([0-9]+(\\.[0-9]+)*)")
  message(FATAL_ERROR "assets/lang/general.txt: entry 18 holds no version number")
endif()
set(MG_PROGRAM_VERSION ${CMAKE_MATCH_1})
file(STRINGS ${mg_general_texts} mg_title_line REGEX "^19=")
string(REGEX REPLACE "^19=" "" MG_PRODUCT_TITLE "${mg_title_line}")

function(mg_program_version_header)
  file(WRITE ${CMAKE_BINARY_DIR}/program_version.h.new
    "// Generated from assets/lang/general.txt (entry 18); do not edit.\n"
    "#pragma once\n\n#include <string_view>\n\nnamespace mg {\n\n"
    "inline constexpr std::string_view kProgramVersion = \"${MG_PROGRAM_VERSION}\";\n\n"
    "}  // namespace mg\n")
  configure_file(${CMAKE_BINARY_DIR}/program_version.h.new ${CMAKE_BINARY_DIR}/program_version.h
                 COPYONLY)
endfunction()
