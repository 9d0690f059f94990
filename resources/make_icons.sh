#!/usr/bin/env bash
# Draws the clock's icons again into resources/icons: ICON_1.png ..
# ICON_12.png (and ICON_n@2x.png at twice the size), MAINICON.png and hicolor/<n>x<n>/apps/zenlume.png.  Builds
# zenlume-make-icons in a scratch folder (or in BUILD_DIR when given) from
# this folder alone.  Needs qt6-base-dev, fonts-dejavu-core, cmake, ninja.
#
#   bash resources/make_icons.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -ge 1 ]; then
  build=$1
else
  build=$(mktemp -d)
  trap 'rm -rf "$build"' EXIT
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target zenlume-make-icons >/dev/null
rm -f "$here"/icons/ICON_*.png "$here"/icons/MAINICON.png
rm -rf "$here"/icons/hicolor
QT_QPA_PLATFORM=offscreen "$build/zenlume-make-icons" "$here/icons"
echo "icons written to $here/icons"
