# `cmake --install build [--prefix DIR]`: the program and the comparison
# server it starts from its own folder into bin/, its data (the rock model)
# into share/morvandel-gauge/, a menu entry and the icon in every size for
# the desktop. The program finds the data from its own folder, so a prefix
# given at install time works as well as the configured one.
if(WIN32 OR NOT TARGET morvandel-gauge)
  return()
endif()

install(TARGETS morvandel-gauge morvandel-compare-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/obj/Kleiner_Granitfelsen.obj
        DESTINATION ${CMAKE_INSTALL_DATADIR}/morvandel-gauge/obj)

foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/morvandel-gauge.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The menu entry names the program by its full path, known only at install
# time (the prefix may be given there).
install(CODE "
  set(MG_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/assets/desktop/morvandel-gauge.desktop.in\")
  set(MG_DESKTOP_WORK_FILE \"${CMAKE_BINARY_DIR}/desktop/morvandel-gauge.desktop\")
  set(MG_DESKTOP_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(MG_DESKTOP_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake\")
")
