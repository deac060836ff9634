# CPack pre-build script of the Debian package. The program stays together
# in /opt/lumivane (it finds its documents in ../doc beside its bin), while
# the desktop, the MIME database, man and udev look for their files under
# /usr: move those there, and link the programs into /usr/bin.
set(root "${CPACK_TEMPORARY_DIRECTORY}")
set(prefix "${CPACK_PACKAGING_INSTALL_PREFIX}")
set(opt "${root}${prefix}")

file(MAKE_DIRECTORY "${root}/usr/share" "${root}/usr/bin")
foreach(dir applications icons mime man)
  if(EXISTS "${opt}/share/${dir}")
    file(RENAME "${opt}/share/${dir}" "${root}/usr/share/${dir}")
  endif()
endforeach()
# Debian keeps manual pages compressed.
file(GLOB_RECURSE pages "${root}/usr/share/man/*.[1-9]")
foreach(page IN LISTS pages)
  file(ARCHIVE_CREATE OUTPUT "${page}.gz" PATHS "${page}" FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
  file(REMOVE "${page}")
endforeach()

set(rule 70-lumivane-ftdi.rules)
if(EXISTS "${opt}/share/lumivane/${rule}")
  file(MAKE_DIRECTORY "${root}/usr/lib/udev/rules.d")
  file(RENAME "${opt}/share/lumivane/${rule}" "${root}/usr/lib/udev/rules.d/${rule}")
  file(REMOVE_RECURSE "${opt}/share/lumivane")
endif()
file(GLOB left "${opt}/share/*")
if(NOT left)
  file(REMOVE_RECURSE "${opt}/share")
endif()

foreach(program lumivane netfetch lumivane-cli)
  if(EXISTS "${opt}/bin/${program}")
    file(CREATE_LINK "${prefix}/bin/${program}" "${root}/usr/bin/${program}" SYMBOLIC)
  endif()
endforeach()
