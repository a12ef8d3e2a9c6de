# Runs at install time: writes the menu entry with the installed program's
# path and installs it under <datadir>/applications.

set(bin "${MG_DESKTOP_BINDIR}")
if(NOT IS_ABSOLUTE "${bin}")
  set(bin "${CMAKE_INSTALL_PREFIX}/${bin}")
endif()
set(data "${MG_DESKTOP_DATADIR}")
if(NOT IS_ABSOLUTE "${data}")
  set(data "${CMAKE_INSTALL_PREFIX}/${data}")
endif()

# Exec takes the path in double quotes, with \ " ` $ escaped inside them;
# then the entry's string escapes double every backslash, and % is doubled.
set(exec "${bin}/morvandel-gauge")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(MG_DESKTOP_EXEC "\"${exec}\"")

configure_file("${MG_DESKTOP_TEMPLATE}" "${MG_DESKTOP_WORK_FILE}" @ONLY)
file(INSTALL "${MG_DESKTOP_WORK_FILE}" DESTINATION "${data}/applications")
