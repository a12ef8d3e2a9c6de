# Files carried inside the executable.
#
#   mg_embed_files(TARGET <library or executable> GROUP <identifier>
#                  FILES <name>=<path> [<name>=<path> ...])
#
# Each file is scrambled at build time (128 added to every byte) by the
# asset-scramble tool into ${CMAKE_BINARY_DIR}/embedded/<group>/<name>.bin and
# pulled into writable data with the assembler's .incbin, so neither the
# compiler nor the repository ever sees the bytes. A path may be a source
# file (a shader text) or the OUTPUT of an add_custom_command in the same
# CMakeLists.txt (an image written by a generator tool).
#
# The generated header "embedded/<group>.h" declares one
#   render::EmbeddedFile embedded::<name>;
# per file, and embedded::<group>_files() lists them all with their names.
# Names must be C identifiers, unique over the whole program. Use them as
#
#   #include "embedded/scene.h"
#   std::span<uint8_t> text = embedded::terrain_shader.Unscrambled();
#
# The target must link mg_render (for render::EmbeddedFile).

set(MG_EMBED_TEMPLATE_DIR ${CMAKE_CURRENT_LIST_DIR})
# ELF objects say that they need no executable stack; PE has no such note.
if(WIN32)
  set(MG_ASM_STACK_NOTE "")
else()
  set(MG_ASM_STACK_NOTE "  .section .note.GNU-stack,\"\",@progbits")
endif()

function(mg_embed_files)
  cmake_parse_arguments(E "" "TARGET;GROUP" "FILES" ${ARGN})
  if(NOT E_TARGET OR NOT E_GROUP OR NOT E_FILES)
    message(FATAL_ERROR "mg_embed_files needs TARGET, GROUP and FILES")
  endif()
  if(NOT E_GROUP MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    message(FATAL_ERROR "mg_embed_files: GROUP '${E_GROUP}' is not an identifier")
  endif()

  set(out_dir ${CMAKE_BINARY_DIR}/embedded/${E_GROUP})
  file(MAKE_DIRECTORY ${out_dir})
  set(asm "")
  set(decls "")
  set(defs "")
  set(table "")
  set(stored_files "")
  foreach(entry ${E_FILES})
    if(NOT entry MATCHES "^([A-Za-z_][A-Za-z0-9_]*)=(.+)$")
      message(FATAL_ERROR "mg_embed_files: '${entry}' is not <name>=<path>")
    endif()
    set(name ${CMAKE_MATCH_1})
    get_filename_component(source ${CMAKE_MATCH_2} ABSOLUTE)
    set(stored ${out_dir}/${name}.bin)
    add_custom_command(
      OUTPUT ${stored}
      COMMAND asset-scramble ${source} ${stored}
      DEPENDS asset-scramble ${source}
      COMMENT "Embedding ${name}"
      VERBATIM)
    list(APPEND stored_files ${stored})
    string(APPEND asm
      "  .balign 16\n"
      "  .globl mg_embed_${name}\n"
      "mg_embed_${name}:\n"
      "  .incbin \"${stored}\"\n"
      "mg_embed_${name}_end:\n"
      "  .byte 0\n"
      "  .balign 4\n"
      "  .globl mg_embed_${name}_length\n"
      "mg_embed_${name}_length:\n"
      "  .long mg_embed_${name}_end - mg_embed_${name}\n")
    string(APPEND decls "extern render::EmbeddedFile ${name};\n")
    string(APPEND defs
      "extern \"C\" uint8_t mg_embed_${name}[];\n"
      "extern \"C\" const int32_t mg_embed_${name}_length;\n"
      "namespace embedded {\n"
      "constinit render::EmbeddedFile ${name}{mg_embed_${name}, &mg_embed_${name}_length};\n"
      "}\n")
    string(APPEND table "    {\"${name}\", &${name}},\n")
  endforeach()

  set(MG_EMBED_GROUP ${E_GROUP})
  set(MG_EMBED_ASM "${asm}")
  set(MG_EMBED_DECLS "${decls}")
  set(MG_EMBED_DEFS "${defs}")
  set(MG_EMBED_TABLE "${table}")
  configure_file(${MG_EMBED_TEMPLATE_DIR}/embedded_files.S.in ${out_dir}/files.S @ONLY)
  configure_file(${MG_EMBED_TEMPLATE_DIR}/embedded_files.h.in
                 ${CMAKE_BINARY_DIR}/embedded/${E_GROUP}.h @ONLY)
  configure_file(${MG_EMBED_TEMPLATE_DIR}/embedded_files.cpp.in ${out_dir}/files.cpp @ONLY)

  set_source_files_properties(${out_dir}/files.S PROPERTIES OBJECT_DEPENDS "${stored_files}")
  set_source_files_properties(${stored_files} PROPERTIES HEADER_FILE_ONLY TRUE)
  target_sources(${E_TARGET} PRIVATE ${out_dir}/files.S ${out_dir}/files.cpp
                 ${CMAKE_BINARY_DIR}/embedded/${E_GROUP}.h ${stored_files})
endfunction()
