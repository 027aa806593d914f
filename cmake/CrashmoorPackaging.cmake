# Installing the game like any program on a Linux desktop, and the Debian
# package made from that installation:
#   bin/crashmoor                                 the program
#   share/crashmoor/                              the generated data folder
#   share/applications/ID.desktop                 the desktop menu entry
#   share/icons/hicolor/256x256/apps/ID.png       its icon, drawn by the data generator
#   share/metainfo/ID.metainfo.xml                the software centre's description
#   share/man/man6/crashmoor.6                    the manual page
# Tests, benchmarks and tools have no install rules: they stay in the build.
include(GNUInstallDirs)

# The reverse-DNS application id names the desktop entry, the icon and the
# metainfo, and the desktop links them by it.
set(CRASHMOOR_APP_ID org.crashmoor.Crashmoor)
# The day the version of project() was released, for the metainfo.
set(CRASHMOOR_RELEASE_DATE 2026-12-10)

set(CRASHMOOR_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
configure_file(${CRASHMOOR_DIST_DIR}/crashmoor.desktop.in
               ${CMAKE_BINARY_DIR}/dist/${CRASHMOOR_APP_ID}.desktop @ONLY)
configure_file(${CRASHMOOR_DIST_DIR}/crashmoor.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${CRASHMOOR_APP_ID}.metainfo.xml @ONLY)

install(TARGETS crashmoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Earlier versions of the game, run from the build folder, wrote their
# settings, log and replays into the data folder (and temporary files while
# saving them); whatever such a run left there is not data.
install(DIRECTORY ${CRASHMOOR_DATA_DIR}/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/crashmoor
        PATTERN config.cfg EXCLUDE
        PATTERN debug_console_report.txt EXCLUDE
        PATTERN *.tmp EXCLUDE
        PATTERN *.cmr EXCLUDE
        PATTERN replays EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/dist/${CRASHMOOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CRASHMOOR_ICON}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME ${CRASHMOOR_APP_ID}.png)
install(FILES ${CMAKE_BINARY_DIR}/dist/${CRASHMOOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CRASHMOOR_DIST_DIR}/crashmoor.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# `cpack -G DEB` in the build folder: a package installing under /usr whose
# dependencies dpkg-shlibdeps reads off the program's shared libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME crashmoor)
set(CPACK_PACKAGE_VENDOR "Crashmoor developers")
set(CRASHMOOR_MAINTAINER "Crashmoor developers <crashmoor@localhost>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")
set(CPACK_PACKAGE_CONTACT "${CRASHMOOR_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down vehicular combat game")
# Lines as the package's control file shows them, under 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "One human driver and up to five computer drivers fight in tile-map"
       "arenas with machine guns, grenade and rocket launchers, phase cannons,"
       "mines, turrets and shields, in Deathmatch or Big Dog matches. Every"
       "match can be saved as a replay and played back exactly.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian keeps manual pages compressed; the plain install keeps them as
# written.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/CrashmoorCompressManPages.cmake)
include(CPack)
