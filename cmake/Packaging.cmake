# Installation extras (desktop entry, icons, MIME type, udev rule) and the
# Debian package.
#
# `cmake --install build --prefix P` gives:
#   P/bin/lumivane, P/bin/netfetch, P/bin/lumivane-cli
#   P/share/man/man1/lumivane.1, netfetch.1, lumivane-cli.1
#   P/share/bash-completion/completions/lumivane-cli
#   P/doc/lumivane.tips, P/doc/lumivane_userguide.pdf  (the program looks in
#                                                      ../doc beside its bin)
#   P/share/applications/com.lumivane.Lumivane.desktop
#   P/share/metainfo/com.lumivane.Lumivane.metainfo.xml
#   P/share/icons/hicolor/<size>/apps/lumivane.png and scalable/apps/lumivane.svg
#   P/share/mime/packages/lumivane.xml
#   P/share/lumivane/70-lumivane-ftdi.rules   (for the administrator to copy
#                                             to /etc/udev/rules.d)
#   P/share/locale/<language>/LC_MESSAGES/lumivane.mo (found beside bin)
#
# The Debian package keeps the program together in /opt/lumivane (so its
# doc directory is /opt/lumivane/doc and its translations are in
# /opt/lumivane/share/locale, as the program expects) and moves
# what the desktop, AppStream, man, bash and udev must find to /usr:
# /usr/share/applications, metainfo, icons, mime, man (compressed) and
# bash-completion, /usr/lib/udev/rules.d. It adds the Debian files of
# resources/debian (copyright, changelog, lintian override) and links
# /usr/bin/lumivane, /usr/bin/netfetch and /usr/bin/lumivane-cli to the
# programs.

set(LUMIVANE_RESOURCES ${CMAKE_SOURCE_DIR}/resources)
# The AppStream component, named after the desktop entry.
set(LUMIVANE_APP_ID com.lumivane.Lumivane)

# lumivane-cli's own page is installed beside the tool (tools/).
install(FILES ${LUMIVANE_RESOURCES}/man/netfetch.1 DESTINATION share/man/man1)
install(FILES ${LUMIVANE_RESOURCES}/completion/lumivane-cli.bash
        DESTINATION share/bash-completion/completions RENAME lumivane-cli)

if(LUMIVANE_GUI)
  install(FILES ${LUMIVANE_RESOURCES}/man/lumivane.1 DESTINATION share/man/man1)
  # The desktop entry names the installed program by its full path, which
  # is known only at install time (the prefix may be given then).
  install(CODE "set(LUMIVANE_DESKTOP_TEMPLATE \"${LUMIVANE_RESOURCES}/lumivane.desktop\")
                set(LUMIVANE_DESKTOP_WORK \"${CMAKE_BINARY_DIR}/lumivane.desktop.installed\")
                set(LUMIVANE_DESKTOP_NAME \"${LUMIVANE_APP_ID}.desktop\")")
  install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/DesktopEntry.cmake)
  install(FILES ${LUMIVANE_RESOURCES}/appstream/${LUMIVANE_APP_ID}.metainfo.xml
          DESTINATION share/metainfo)
  install(FILES ${LUMIVANE_RESOURCES}/lumivane-mime.xml
          DESTINATION share/mime/packages RENAME lumivane.xml)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${LUMIVANE_RESOURCES}/icons/lumivane-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME lumivane.png)
  endforeach()
  install(FILES ${LUMIVANE_RESOURCES}/icons/lumivane.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${LUMIVANE_RESOURCES}/70-lumivane-ftdi.rules DESTINATION share/lumivane)
endif()

# The Debian package: `cpack -G DEB` in the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivane)
set(CPACK_PACKAGE_VENDOR "Lumivane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration and control of Lumivane lighting boards")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumivane composes lighting scenarios for chains of Lumivane LED boards:\n\
scenes of board ranges with colours, blink, fade and hold times. It sends\n\
them to the boards over an FTDI USB adapter or a serial port, runs them with\n\
the adapter's four inputs, stores them in the boards, and prints them.\n\
lumivane-cli sends, runs and stores scenarios from the command line.\n\
netfetch, a small download tool, ships with it.")
set(CPACK_PACKAGE_CONTACT "Lumivane <support@lumivane.com>")
# The whole program under /opt/lumivane: it finds its documents in ../doc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /opt/lumivane)
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/lumivane)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.lumivane.com/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open opens the user guide where /etc/mailcap names no PDF viewer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, evince | pdf-viewer")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/cmake/deb/postinst ${CMAKE_SOURCE_DIR}/cmake/deb/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Moves the desktop files and the udev rule to /usr, adds the Debian files
# and links the programs.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/deb/usr_layout.cmake)
set(CPACK_LUMIVANE_DEBIAN_DIR ${LUMIVANE_RESOURCES}/debian)
set(CPACK_LUMIVANE_METAINFO ${LUMIVANE_RESOURCES}/appstream/${LUMIVANE_APP_ID}.metainfo.xml)
include(CPack)
