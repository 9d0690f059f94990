#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for SECONDS
# (default 30) from its seed inputs in tests/fuzz/corpus/<target>/.
# Installs nothing (scripts/deps does).  Exits non-zero on any finding; the
# input that caused it is left in build-fuzz/findings/<target>/ - keep it
# in the corpus folder once the fault is mended.
#   tests/fuzz/run.sh [SECONDS] [TARGET...]
# Each libFuzzer run uses one core, so the targets run side by side, one
# per core (ZENLUME_FUZZ_JOBS sets how many at once); each writes its own
# log, and the results are printed target by target in the order above.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(calc copy_file settings published_number local_time poke_split)
build=${ZENLUME_FUZZ_BUILD:-build-fuzz}
jobs=${ZENLUME_FUZZ_JOBS:-$(nproc)}

launcher=()
if command -v ccache >/dev/null; then   # see scripts/test
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_NOHASHDIR=1 CCACHE_DEPEND=1
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZENLUME_BUILD_FUZZ=ON \
      -DZENLUME_BUILD_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DZENLUME_BUILD_TESTS=OFF \
      -DZENLUME_BUILD_BENCH=OFF --no-warn-unused-cli >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

start() {  # start TARGET: runs it in the background, its output in its log
  local t=$1
  mkdir -p "$build/corpus/$t" "$build/findings/$t"
  # The run's own inputs go to build-fuzz/corpus/<target>, out of the tree.
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$t/" "$build/corpus/$t" "tests/fuzz/corpus/$t" \
    >"$build/fuzz_$t.log" 2>&1 &
  pids+=($!)
}
status=0
finish() {  # finish: waits for the oldest run still going and reports it
  local t=${running[0]} pid=${pids[0]}
  running=("${running[@]:1}") pids=("${pids[@]:1}")
  echo "== fuzz_$t for ${seconds}s"
  if ! wait "$pid"; then
    echo "fuzz_$t: FINDING (inputs in $build/findings/$t/)"
    tail -n 60 "$build/fuzz_$t.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz_$t.log" || true
  fi
}
echo "Running ${#targets[@]} fuzz targets, $jobs at a time, ${seconds}s each"
running=() pids=()
# Interrupted, the runs still going end with this script.
trap '[ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null' EXIT
for t in "${targets[@]}"; do
  [ ${#running[@]} -lt "$jobs" ] || finish
  running+=("$t")
  start "$t"
done
while [ ${#running[@]} -gt 0 ]; do finish; done
exit $status
