#!/usr/bin/env bash
# Instructions per call of each library routine and of the chart of the
# moment, counted with valgrind's callgrind (repeatable, unlike times):
# two runs of calc_instructions, 1000 and 11000 calls, and the difference
# over 10000, so that start-up is left out.
#   bench/instructions/count.sh [BUILD_DIR] [ROUTINE...]
set -euo pipefail
build=${1:-build}
shift || true
routines=("$@")
[ ${#routines[@]} -gt 0 ] ||
  routines=(planets placidus koch campanus topocentric morinus porphyry regiomontanus meridian equal chart)
program=$build/bench/calc_instructions
command -v valgrind >/dev/null || { echo "count.sh: needs valgrind (apt-get install valgrind)" >&2; exit 2; }
count() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$program" "$1" "$2" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
for r in "${routines[@]}"; do
  a=$(count "$r" 1000)
  b=$(count "$r" 11000)
  printf '%-14s %8d instructions per call\n' "$r" $(((b - a) / 10000))
done
