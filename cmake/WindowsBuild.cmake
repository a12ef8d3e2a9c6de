# What the Windows cross build (cmake/mingw-w64-x86_64.cmake) has in place of
# the host's packages. Debian ships no Windows builds of SDL2, Cairo, Pango,
# FreeType, fontconfig or libzip: the Win32 platform layer stands in for
# them (window and GL through WGL, text through GDI, sound through
# DirectSound, zip through zlib), and the upload speaks WinHTTP.
#
# - The assets are painted by the host build's generators: MG_TOOLS_FROM
#   names a Linux build folder of this tree (scripts/build-windows makes one).
# - GoogleTest is compiled from the sources Debian ships (/usr/src/googletest).
# - Header-only libraries are copied from the host into the build folder when
#   CMake configures: pointing the cross compiler at /usr/include would hand
#   it the host's C library headers too.
# - Tests run under Wine (tests/wine-run.sh) with a prefix of their own in
#   the build folder, made once by the WinePrefix fixture.

# windows.h keeps its min and max macros to itself, and its names for text
# (IDC_ARROW, TEXT) are the wide ones.
add_compile_definitions(NOMINMAX UNICODE _UNICODE)

if(NOT MG_TOOLS_FROM)
  message(FATAL_ERROR "The Windows build paints its assets with a Linux build's tools: "
                      "give -DMG_TOOLS_FROM=<build folder>, or run scripts/build-windows")
endif()

set(mg_host_headers ${CMAKE_BINARY_DIR}/host-headers)

# mg_host_header_package(NAME <package> DIRS <folder under /usr/include>...
#                        TARGET <imported target>)
# Copies the folders and writes a config file with the host package's
# version, so that find_package(<package>) in the subsystems finds the copy.
function(mg_host_header_package)
  cmake_parse_arguments(P "" "NAME;TARGET" "DIRS" ${ARGN})
  file(STRINGS /usr/share/cmake/${P_NAME}/${P_NAME}ConfigVersion.cmake version_line
       REGEX "set\\(PACKAGE_VERSION \"[0-9.]+\"\\)")
  if(NOT version_line MATCHES "\"([0-9.]+)\"")
    message(FATAL_ERROR "${P_NAME} is not installed: scripts/build-windows installs it")
  endif()
  set(P_VERSION ${CMAKE_MATCH_1})
  foreach(dir ${P_DIRS})
    if(NOT EXISTS /usr/include/${dir})
      message(FATAL_ERROR "/usr/include/${dir} is missing: scripts/build-windows installs it")
    endif()
    file(COPY /usr/include/${dir} DESTINATION ${mg_host_headers}/include)
  endforeach()
  set(config_dir ${mg_host_headers}/cmake/${P_NAME})
  file(WRITE ${config_dir}/${P_NAME}Config.cmake
       "if(NOT TARGET ${P_TARGET})\n"
       "  add_library(${P_TARGET} INTERFACE IMPORTED GLOBAL)\n"
       "  set_target_properties(${P_TARGET} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES\n"
       "                        ${mg_host_headers}/include)\n"
       "endif()\n")
  include(CMakePackageConfigHelpers)
  write_basic_package_version_file(${config_dir}/${P_NAME}ConfigVersion.cmake
                                   VERSION ${P_VERSION} COMPATIBILITY SameMajorVersion
                                   ARCH_INDEPENDENT)
  set(${P_NAME}_DIR ${config_dir} CACHE PATH "The host's header-only ${P_NAME}, copied" FORCE)
endfunction()

mg_host_header_package(NAME nlohmann_json DIRS nlohmann
                       TARGET nlohmann_json::nlohmann_json)
mg_host_header_package(NAME CLI11 DIRS CLI TARGET CLI11::CLI11)

# zlib from the Windows tree (libz-mingw-w64-dev), linked in statically.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

# stb keeps its headers in a folder of their own, which is safe to use as is.
add_library(mg_stb INTERFACE IMPORTED GLOBAL)
set_target_properties(mg_stb PROPERTIES INTERFACE_INCLUDE_DIRECTORIES /usr/include/stb)

set(mg_googletest_source /usr/src/googletest)
if(NOT EXISTS ${mg_googletest_source}/CMakeLists.txt)
  message(FATAL_ERROR "${mg_googletest_source} is missing: scripts/build-windows installs googletest")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Its own build defines GTest::gtest and GTest::gtest_main.
add_subdirectory(${mg_googletest_source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Every test program runs under Wine, headless, in the build folder's prefix.
set(MG_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine-run.sh ${MG_WINE_PREFIX})
