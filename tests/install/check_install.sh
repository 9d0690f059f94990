#!/usr/bin/env bash
# Installs the library into a scratch prefix and builds a program against it
# twice: through pkg-config and through the CMake package.
set -euo pipefail
build=$1
renderer=${2:-with-renderer}   # or without-renderer for a build without the GUI
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
here=$(cd "$(dirname "$0")" && pwd)

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libqvcalc32.so' | head -n 1)")
test -f "$prefix/include/qvcalc32.h"

export PKG_CONFIG_PATH="$libdir/pkgconfig"
cc "$here/consumer/main.c" $(pkg-config --cflags --libs qvcalc32) -o "$prefix/by-pkg-config"
LD_LIBRARY_PATH="$libdir" "$prefix/by-pkg-config"

cmake -S "$here/consumer" -B "$prefix/consumer-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$prefix/consumer-build" >/dev/null
LD_LIBRARY_PATH="$libdir" "$prefix/consumer-build/consumer"
echo "installed library found through pkg-config and CMake"

# The installed program finds the library and its rendering module.
export XDG_CONFIG_HOME="$prefix/config"
"$prefix/bin/zenlume-chart" --at "2026-12-07 21:40" >/dev/null
if [ "$renderer" = without-renderer ]; then
  test ! -e "$libdir/zenlume"
  echo "installed zenlume-chart prints; this build has no renderer"
  exit 0
fi
"$prefix/bin/zenlume-chart" --render "$prefix/wheel.png" --size 120
test -s "$prefix/wheel.png"
echo "installed zenlume-chart prints and renders"

# A stale rendering module (another version, or none at all) is refused with
# a clear message instead of being called with records it does not know.
module="$libdir/zenlume/libzenlume-render.so"
check_refused() {  # check_refused PATTERN
  if "$prefix/bin/zenlume-chart" --render "$prefix/stale.png" 2>"$prefix/err"; then
    echo "a stale rendering module was used"; exit 1
  fi
  grep -q -- "$1" "$prefix/err" || { echo "unclear message for a stale module:"; cat "$prefix/err"; exit 1; }
  test ! -e "$prefix/stale.png"
}
printf 'int zenlume_RenderModuleVersion(void) { return 0; }\nint zenlume_WriteWheelPng(void) { return 0; }\n' >"$prefix/stale.c"
cc -shared -fPIC "$prefix/stale.c" -o "$module"
check_refused "is wheel renderer version 0, but this zenlume-chart needs version"
printf 'int zenlume_WriteWheelPng(void) { return 0; }\n' >"$prefix/stale.c"
cc -shared -fPIC "$prefix/stale.c" -o "$module"
check_refused "has no version"
echo "stale rendering modules are refused"
