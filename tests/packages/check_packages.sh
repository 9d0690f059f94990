#!/usr/bin/env bash
# The Debian packages of a build folder: cpack makes the three packages,
# lintian finds nothing in them (overrides only with their reasons in
# resources/debian), and, as root on a machine without Zenlume installed,
# they install with apt-get, the installed zenlume-chart prints a chart, a
# C program builds against libqvcalc32-dev through pkg-config and CMake,
# and purging them leaves none of their files behind.
#   tests/packages/check_packages.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >/dev/null 2>&1) || { echo "check_packages: cpack failed" >&2; exit 1; }
debs=("$out"/zenlume_*.deb "$out"/libqvcalc32-*_*.deb)
[ ${#debs[@]} -eq 3 ] || { echo "check_packages: expected 3 packages, got: ${debs[*]##*/}" >&2; exit 1; }
for deb in "${debs[@]}"; do
  if dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -qv '^\./$'; then
    echo "check_packages: $(basename "$deb") has files outside /usr" >&2; exit 1
  fi
done
echo "check_packages: ${debs[*]##*/}"

# Lintian: no error and no warning.  (It warns that it runs as root.)
report=$(lintian --tag-display-limit 0 "${debs[@]}" 2>&1 | grep -v 'running with root privileges' || true)
if [ -n "$report" ]; then
  echo "$report" >&2
  echo "check_packages: lintian reports the lines above" >&2
  exit 1
fi
echo "check_packages: lintian reports nothing"

if [ "$(id -u)" -ne 0 ] || dpkg-query -W zenlume libqvcalc32-dev 2>/dev/null | grep -q .; then
  echo "check_packages: not root, or Zenlume is installed already: the install round trip is left out"
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends "${debs[@]}" >"$out/apt.log" 2>&1 ||
  { tail -20 "$out/apt.log" >&2; exit 1; }
remove() { apt-get purge -y -qq zenlume libqvcalc32-2 libqvcalc32-dev >"$out/purge.log" 2>&1; }
trap 'remove || true; rm -rf "$out"' EXIT
chart=$(XDG_CONFIG_HOME="$out/config" TZ=UTC /usr/bin/zenlume-chart --at "2026-12-07 21:40" 2>/dev/null)
grep -q "Houses Placidus" <<<"$chart"
libs=$(pkg-config --libs qvcalc32)
grep -q -- '-lqvcalc32' <<<"$libs"
cc "$here/../install/consumer/main.c" $(pkg-config --cflags --libs qvcalc32) -o "$out/by-pkg-config"
"$out/by-pkg-config" >/dev/null
cmake -S "$here/../install/consumer" -B "$out/consumer" >/dev/null
cmake --build "$out/consumer" >/dev/null
"$out/consumer/consumer" >/dev/null
man -w zenlume zenlume-chart >/dev/null 2>&1 || test -f /usr/share/man/man1/zenlume-chart.1.gz
echo "check_packages: installed; zenlume-chart prints, pkg-config and CMake find the library"

remove
trap 'rm -rf "$out"' EXIT
left=()
for deb in "${debs[@]}"; do
  while read -r path; do
    path=${path#.}
    [ -e "$path" ] && [ ! -d "$path" ] && left+=("$path")
  done < <(dpkg-deb -c "$deb" | awk '{print $6}')
done
if [ ${#left[@]} -gt 0 ]; then
  echo "check_packages: purging left behind: ${left[*]}" >&2
  exit 1
fi
echo "check_packages: purged; nothing left behind"
