#!/usr/bin/env bash
# Rewrites docs/accuracy.md: builds the accuracy report (and the side-by-side
# benchmark peer_bench) against the peer ephemeris in build-peer, configured
# with -DZENLUME_BUILD_PEER_BENCH=ON, and runs the report.  Needs the peer:
# bash scripts/deps --peer.
# Usage: bash tools/accuracy.sh [BUILD_DIR]   (default: build-peer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-peer}
generator=()
[ -f "$build/CMakeCache.txt" ] || ! command -v ninja >/dev/null || generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENLUME_BUILD_PEER_BENCH=ON >/dev/null
cmake --build "$build" --target accuracy_report peer_bench
"$build/tools/accuracy_report" "$root/docs/accuracy.md"
echo "Wrote $root/docs/accuracy.md"
