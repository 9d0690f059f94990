#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for SECONDS
# (default 30) from its seed inputs in tests/fuzz/corpus/<target>/.
# Installs nothing (scripts/deps does).  Exits non-zero on any finding; the
# input that caused it is left in build-fuzz/findings/<target>/ - keep it
# in the corpus folder once the fault is mended.
#   tests/fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(calc copy_file settings published_number local_time poke_split)
build=${ZENLUME_FUZZ_BUILD:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZENLUME_BUILD_FUZZ=ON \
      -DZENLUME_BUILD_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DZENLUME_BUILD_TESTS=OFF \
      -DZENLUME_BUILD_BENCH=OFF --no-warn-unused-cli >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

status=0
for t in "${targets[@]}"; do
  corpus=tests/fuzz/corpus/$t
  work=$build/corpus/$t       # what this run adds, kept out of the tree
  findings=$build/findings/$t
  mkdir -p "$work" "$findings"
  echo "== fuzz_$t for ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
       -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$corpus" \
       >"$build/fuzz_$t.log" 2>&1; then
    echo "fuzz_$t: FINDING (inputs in $findings/)"
    tail -n 60 "$build/fuzz_$t.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz_$t.log" || true
  fi
done
exit $status
