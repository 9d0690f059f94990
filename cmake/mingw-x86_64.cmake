# Cross-building for 64-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-win32): the library's tests as a Windows program
# that wine runs on a 64-bit Linux machine.
#   cmake -S . -B build-win64 -G Ninja --toolchain cmake/mingw-x86_64.cmake
# scripts/windows drives it.
set(ZENLUME_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
