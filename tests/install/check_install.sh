#!/usr/bin/env bash
# Installs the library into a scratch prefix and builds a program against it
# twice: through pkg-config and through the CMake package.
set -euo pipefail
build=$1
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
XDG_CONFIG_HOME="$prefix/config" "$prefix/bin/zenlume-chart" --at "2026-12-07 21:40" >/dev/null
XDG_CONFIG_HOME="$prefix/config" "$prefix/bin/zenlume-chart" --render "$prefix/wheel.png" --size 120
test -s "$prefix/wheel.png"
echo "installed zenlume-chart prints and renders"
