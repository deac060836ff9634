# Install-time script: writes the desktop entry with the full path of the
# installed program, which is known only once the prefix is. Expects
# LUMIVANE_DESKTOP_TEMPLATE (the entry with "Exec=lumivane" and
# "TryExec=lumivane"), LUMIVANE_DESKTOP_WORK (a scratch file) and
# LUMIVANE_DESKTOP_NAME (the installed file's name, the AppStream ID's).

set(program "${CMAKE_INSTALL_PREFIX}/bin/lumivane")

# The string escapes of a desktop entry value: a backslash is doubled.
string(REPLACE "\\" "\\\\" try_exec "${program}")

# Exec is parsed further: a path with characters of its own reserved
# meaning goes in double quotes, with \ " $ ` escaped inside them.
set(exec "${program}")
if(NOT exec MATCHES "^[A-Za-z0-9/._+-]+$")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  foreach(c "\"" "$" "`")
    string(REPLACE "${c}" "\\${c}" exec "${exec}")
  endforeach()
  set(exec "\"${exec}\"")
  string(REPLACE "\\" "\\\\" exec "${exec}")
endif()

file(READ "${LUMIVANE_DESKTOP_TEMPLATE}" entry)
string(REPLACE "\nExec=lumivane " "\nExec=${exec} " entry "${entry}")
string(REPLACE "\nTryExec=lumivane\n" "\nTryExec=${try_exec}\n" entry "${entry}")
file(WRITE "${LUMIVANE_DESKTOP_WORK}" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${LUMIVANE_DESKTOP_WORK}" RENAME "${LUMIVANE_DESKTOP_NAME}")
