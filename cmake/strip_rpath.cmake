# Run by CPack once the packages' files are staged: the packaged programs
# and the rendering module lose the run-time search paths ($ORIGIN/../lib…)
# that let an installation under any prefix find its library.  Under /usr
# the library lies in the linker's own path, and Debian does not allow a
# package's programs to search elsewhere.
foreach(name zenlume zenlume-chart libzenlume-render.so)
  file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/${name}")
  foreach(file IN LISTS staged)
    file(RPATH_REMOVE FILE "${file}")
  endforeach()
endforeach()
