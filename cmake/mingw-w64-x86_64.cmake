# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the posix thread
# model, so std::thread and std::mutex are there). The C and C++ runtimes and
# winpthread are linked statically: the programs need no DLL beside them.
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mg_mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mg_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mg_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mg_mingw_triple}-windres)
set(CMAKE_ASM_COMPILER ${mg_mingw_triple}-gcc-posix)

# Libraries and packages come from the Windows tree only, never from the
# host's /usr; programs (generators, pkg-config) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mg_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
