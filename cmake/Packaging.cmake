# The clock's place on the desktop (its menu entry and icons), the licence,
# and a Debian package of everything `cmake --install` puts in place:
#
#   cmake -S . -B build -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build build && (cd build && cpack -G DEB)
#
# The package installs under the prefix the tree was configured with (the
# programs are built to look for their rendering module there), so a
# package for Debian is configured with the prefix /usr.

# The menu entry and the theme icons belong to the desktop clock and are
# installed with it.  The icons are committed PNGs drawn by
# resources/make_icons.sh.
if(TARGET zenlume)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/zenlume.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
    FILES_MATCHING PATTERN "*.png")
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zenlume RENAME copyright)

set(CPACK_PACKAGE_NAME zenlume)
set(CPACK_PACKAGE_VENDOR "Zenlume developers")
set(CPACK_PACKAGE_CONTACT "Zenlume developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "live astrological clock for the desktop")
# Debian shows the description as written: lines under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Zenlume shows the chart of the present minute for one place as a wheel"
  "of the twelve signs, the house cusps and the glyphs of the Sun, the Moon,"
  "the planets, the lunar Node and Chiron, redrawn every minute. The rising"
  "sign stays in the system tray. zenlume-chart prints or draws the chart of"
  "any moment from the command line."
  "."
  "The package also holds the calculation library qvcalc32 with its header,"
  "pkg-config file and CMake package.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zenlume developers")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies come from dpkg-shlibdeps (package dpkg-dev), which
# reads them off the programs; without it CPack would quietly leave them
# out, so Debian 12's names are listed instead.  The face that draws the
# astrological symbols and the time-zone database are no libraries and
# are always named.
find_program(ZENLUME_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(ZENLUME_DPKG_SHLIBDEPS)
if(ZENLUME_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${PROJECT_BINARY_DIR}/calc ${PROJECT_BINARY_DIR}/cli)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, tzdata")
else()
  message(STATUS "dpkg-shlibdeps not found (package dpkg-dev): the Debian package lists Debian 12's libraries")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, tzdata, libc6, libstdc++6, libgcc-s1, libcctz2")
  if(ZENLUME_BUILD_GUI)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6core6, libqt6gui6")
  endif()
  if(TARGET zenlume)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6widgets6")
  endif()
endif()
# qvcalc32 is a shared library in the linker's path: the package declares
# it for packages that link against it (shlibs) and has dpkg refresh the
# linker's cache when it is installed or removed (the ldconfig trigger).
# The shlibs file is written here rather than by
# CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS, which would also list the rendering
# module, a plugin without a soname.
file(WRITE ${PROJECT_BINARY_DIR}/debian/shlibs
  "libqvcalc32 ${PROJECT_VERSION_MAJOR} zenlume (>= ${PROJECT_VERSION})\n")
file(WRITE ${PROJECT_BINARY_DIR}/debian/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${PROJECT_BINARY_DIR}/debian/shlibs ${PROJECT_BINARY_DIR}/debian/triggers)

include(CPack)
