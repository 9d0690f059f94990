# What the two MinGW-w64 toolchain files share; ZENLUME_MINGW_TRIPLE names
# the target.  The "-win32" compilers use the Windows thread model, so the
# programs need no threading DLL of their own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZENLUME_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZENLUME_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${ZENLUME_MINGW_TRIPLE}-windres)

# Libraries and packages come from the cross prefix only (and from prefixes
# that a build adds, such as GoogleTest built with this compiler);
# programs run on the build machine come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZENLUME_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs link the compiler's run-times statically: they need nothing
# beyond the system's own DLLs, on Windows and under wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
