# CPack pre-build script of the Debian package. The program stays together
# in /opt/lumivane (it finds its documents in ../doc beside its bin), while
# the desktop, AppStream, the MIME database, man, bash and udev look for
# their files under /usr: move those there, add the Debian files (from
# CPACK_LUMIVANE_DEBIAN_DIR), and link the programs into /usr/bin.
set(root "${CPACK_TEMPORARY_DIRECTORY}")
set(prefix "${CPACK_PACKAGING_INSTALL_PREFIX}")
set(opt "${root}${prefix}")
set(docdir "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}")

find_program(GZIP gzip REQUIRED)
# Compressed as Debian wants it: at most, and with no name or time stamp,
# so that the same file gives the same bytes.
function(gzip_file path)
  execute_process(COMMAND "${GZIP}" -9nf "${path}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${path} failed")
  endif()
endfunction()

# The package's version is the one its changelog and AppStream release
# name first; anything else is a release half made.
file(STRINGS "${CPACK_LUMIVANE_DEBIAN_DIR}/changelog" entry LIMIT_COUNT 1)
if(NOT entry MATCHES "^${CPACK_PACKAGE_NAME} \\(${CPACK_PACKAGE_VERSION}\\) ")
  message(FATAL_ERROR "resources/debian/changelog begins with \"${entry}\", "
                      "not with version ${CPACK_PACKAGE_VERSION}")
endif()
file(READ "${CPACK_LUMIVANE_METAINFO}" metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]*)\"" OR
   NOT CMAKE_MATCH_1 STREQUAL CPACK_PACKAGE_VERSION)
  message(FATAL_ERROR "the first release in ${CPACK_LUMIVANE_METAINFO} is not "
                      "${CPACK_PACKAGE_VERSION}")
endif()

file(MAKE_DIRECTORY "${root}/usr/share" "${root}/usr/bin")
foreach(dir applications metainfo icons mime man bash-completion)
  if(EXISTS "${opt}/share/${dir}")
    file(RENAME "${opt}/share/${dir}" "${root}/usr/share/${dir}")
  endif()
endforeach()
# Debian keeps manual pages compressed.
file(GLOB_RECURSE pages "${root}/usr/share/man/*.[1-9]")
foreach(page IN LISTS pages)
  gzip_file("${page}")
endforeach()

set(mode FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(COPY "${CPACK_LUMIVANE_DEBIAN_DIR}/copyright" "${CPACK_LUMIVANE_DEBIAN_DIR}/changelog"
     DESTINATION "${docdir}" ${mode})
gzip_file("${docdir}/changelog")
set(overrides "${root}/usr/share/lintian/overrides")
file(COPY "${CPACK_LUMIVANE_DEBIAN_DIR}/lintian-overrides" DESTINATION "${overrides}" ${mode})
file(RENAME "${overrides}/lintian-overrides" "${overrides}/${CPACK_PACKAGE_NAME}")

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

# CPack strips the programs; the compiler's notes go too, as in Debian's
# own packages.
find_program(STRIP strip)
foreach(program lumivane netfetch lumivane-cli)
  if(EXISTS "${opt}/bin/${program}")
    if(STRIP)
      execute_process(COMMAND "${STRIP}" --remove-section=.comment --remove-section=.note
                              "${opt}/bin/${program}")
    endif()
    file(CREATE_LINK "${prefix}/bin/${program}" "${root}/usr/bin/${program}" SYMBOLIC)
  endif()
endforeach()
