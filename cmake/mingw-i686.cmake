# Cross-building for 32-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-i686-win32): the qvcalc32.dll that Windows callers load.
#   cmake -S . -B build-win32 -G Ninja --toolchain cmake/mingw-i686.cmake
# scripts/windows drives it.
set(ZENLUME_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Doubles are computed in SSE2 registers, rounded to double at every step as
# on x86-64, so that the 32-bit DLL gives the results the 64-bit tests check
# (x87 registers would keep some intermediates at 80 bits, at the
# compiler's whim); long double stays the x87 80-bit format.  Callers built
# by other compilers may enter with a stack aligned to 4 bytes only.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
