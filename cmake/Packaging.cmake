# The clock's place on the desktop (its menu entry, icons and manual
# pages), the licence, and the Debian packages of what `cmake --install`
# puts in place, split as Debian splits a program with a shared library:
#
#   zenlume           the two programs, the rendering module, the desktop
#                     entry, the icons and the manual pages (component clock)
#   libqvcalc32-2     the shared library, named by its soname (lib)
#   libqvcalc32-dev   header, .so link, pkg-config file, CMake package (dev)
#
#   cmake --build build && (cd build && cpack -G DEB)
#
# The packages lay their files under /usr whatever prefix the build folder
# was configured with: the programs find their library and rendering
# module relative to themselves, and the run-time search paths that let an
# installation under another prefix find its library are dropped from the
# packaged programs (cmake/strip_rpath.cmake), as /usr needs none.

# Compressed copies of the manual pages and the changelog, as Debian
# installs them (gzip -9n: no name or time stamp inside).
find_program(ZENLUME_GZIP gzip REQUIRED)
mark_as_advanced(ZENLUME_GZIP)
set(ZENLUME_PACKAGE_FILES ${PROJECT_BINARY_DIR}/package-files)
function(zenlume_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZENLUME_PACKAGE_FILES}
    COMMAND ${ZENLUME_GZIP} -9n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

set(zenlume_compressed ${ZENLUME_PACKAGE_FILES}/changelog.gz)
zenlume_gzip(${PROJECT_SOURCE_DIR}/resources/debian/changelog ${ZENLUME_PACKAGE_FILES}/changelog.gz)
set(zenlume_manuals "")
foreach(page zenlume.1 zenlume-chart.1)
  configure_file(${PROJECT_SOURCE_DIR}/resources/man/${page} ${ZENLUME_PACKAGE_FILES}/${page} @ONLY)
  zenlume_gzip(${ZENLUME_PACKAGE_FILES}/${page} ${ZENLUME_PACKAGE_FILES}/${page}.gz)
  list(APPEND zenlume_compressed ${ZENLUME_PACKAGE_FILES}/${page}.gz)
endforeach()
add_custom_target(zenlume_package_files ALL DEPENDS ${zenlume_compressed})

# The menu entry, the theme icons and the manual pages belong to the
# desktop clock.  The icons are committed PNGs drawn by
# resources/make_icons.sh.
if(TARGET zenlume)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/zenlume.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT clock)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT clock
    FILES_MATCHING PATTERN "*.png")
  install(FILES ${ZENLUME_PACKAGE_FILES}/zenlume.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT clock)
endif()
install(FILES ${ZENLUME_PACKAGE_FILES}/zenlume-chart.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT clock)

# Each package carries the copyright (machine-readable, naming the licence)
# and the changelog in its own documentation folder.
set(zenlume_components clock lib dev)
set(zenlume_package_names zenlume libqvcalc32-${PROJECT_VERSION_MAJOR} libqvcalc32-dev)
foreach(component package IN ZIP_LISTS zenlume_components zenlume_package_names)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${ZENLUME_PACKAGE_FILES}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_PACKAGE_NAME zenlume)
set(CPACK_PACKAGE_VENDOR "Zenlume developers")
# The project's role address for its packages.
set(CPACK_PACKAGE_CONTACT "Zenlume Maintainers <maintainers@zenlume.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Each package's description starts with its own synopsis (below).  CPack
# puts a summary of its own before each unless the summary is its default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/strip_rpath.cmake)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL clock lib dev)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_CLOCK_PACKAGE_NAME zenlume)
set(CPACK_DEBIAN_LIB_PACKAGE_NAME libqvcalc32-${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libqvcalc32-dev)
set(CPACK_DEBIAN_CLOCK_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_LIB_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# Debian shows the descriptions as written: a synopsis, then lines under 80
# characters.
string(JOIN "\n" CPACK_DEBIAN_CLOCK_DESCRIPTION
  "live astrological clock for the desktop"
  "Zenlume shows the chart of the present minute for one place as a wheel"
  "of the twelve signs, the house cusps and the glyphs of the Sun, the Moon,"
  "the planets, the lunar Node and Chiron, redrawn every minute. The rising"
  "sign stays in the system tray. zenlume-chart prints or draws the chart of"
  "any moment from the command line.")
string(JOIN "\n" CPACK_DEBIAN_LIB_DESCRIPTION
  "astrological calculation library of Zenlume"
  "qvcalc32 computes calendar dates, sidereal time, the positions of the Sun,"
  "the Moon and the planets, the Ascendant and Midheaven with nine house"
  "systems, sign notation, chart points, dignities and searches for returns,"
  "through a plain C interface."
  "."
  "This package holds the shared library.")
string(JOIN "\n" CPACK_DEBIAN_DEV_DESCRIPTION
  "astrological calculation library of Zenlume - development files"
  "qvcalc32 computes calendar dates, sidereal time, the positions of the Sun,"
  "the Moon and the planets, the Ascendant and Midheaven with nine house"
  "systems, sign notation, chart points, dignities and searches for returns,"
  "through a plain C interface."
  "."
  "This package holds the C header, the pkg-config file and the CMake package.")

# The packages depend on each other at exactly this version.
set(zenlume_lib_exact "libqvcalc32-${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS ${zenlume_lib_exact})
# Library dependencies come from dpkg-shlibdeps (package dpkg-dev), which
# reads them off the programs; without it CPack would quietly leave them
# out, so Debian 12's names are listed instead.  The face that draws the
# astrological symbols and the time-zone database are no libraries and
# are always named.
find_program(ZENLUME_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(ZENLUME_DPKG_SHLIBDEPS)
set(CPACK_DEBIAN_CLOCK_PACKAGE_DEPENDS "${zenlume_lib_exact}, fonts-dejavu-core, tzdata")
# A native window in Wayland sessions.
set(CPACK_DEBIAN_CLOCK_PACKAGE_RECOMMENDS qt6-wayland)
if(ZENLUME_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_CLOCK_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_LIB_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/calc ${PROJECT_BINARY_DIR}/cli)
else()
  message(STATUS "dpkg-shlibdeps not found (package dpkg-dev): the Debian packages list Debian 12's libraries")
  set(CPACK_DEBIAN_LIB_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
  string(APPEND CPACK_DEBIAN_CLOCK_PACKAGE_DEPENDS ", libc6, libstdc++6, libgcc-s1, libcctz2, libnova-0.16-0, liberfa1")
  if(ZENLUME_BUILD_GUI)
    string(APPEND CPACK_DEBIAN_CLOCK_PACKAGE_DEPENDS ", libqt6core6, libqt6gui6, libqt6widgets6, libqt6dbus6")
  endif()
endif()
# The library's package declares it for packages that link against it
# (shlibs) and has dpkg refresh the linker's cache when it is installed or
# removed (the ldconfig trigger).  The shlibs file is written here rather
# than by CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS, which would also list the
# rendering module, a plugin without a soname.
file(WRITE ${PROJECT_BINARY_DIR}/debian/shlibs
  "libqvcalc32 ${PROJECT_VERSION_MAJOR} ${CPACK_DEBIAN_LIB_PACKAGE_NAME} (>= ${PROJECT_VERSION})\n")
file(WRITE ${PROJECT_BINARY_DIR}/debian/triggers "activate-noawait ldconfig\n")
# The trigger does the linker cache's work: maintainer scripts of their own
# keep CPack from writing ones that call ldconfig directly.
foreach(script postinst postrm)
  file(WRITE ${PROJECT_BINARY_DIR}/debian/${script} "#!/bin/sh\n# The ldconfig trigger refreshes the linker's cache.\nset -e\n")
  file(CHMOD ${PROJECT_BINARY_DIR}/debian/${script} FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
# Why those scripts are empty, for lintian (resources/debian).
set(MAJOR ${PROJECT_VERSION_MAJOR})
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/libqvcalc32.lintian-overrides
  ${ZENLUME_PACKAGE_FILES}/libqvcalc32-${PROJECT_VERSION_MAJOR} @ONLY)
install(FILES ${ZENLUME_PACKAGE_FILES}/libqvcalc32-${PROJECT_VERSION_MAJOR}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT lib)
set(CPACK_DEBIAN_LIB_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/shlibs ${PROJECT_BINARY_DIR}/debian/triggers
    ${PROJECT_BINARY_DIR}/debian/postinst ${PROJECT_BINARY_DIR}/debian/postrm)
set(CPACK_DEBIAN_LIB_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
