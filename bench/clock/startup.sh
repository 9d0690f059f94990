#!/usr/bin/env bash
# Start-up time, resident memory and idle CPU of the desktop clock on a
# virtual display with a tray host.  The start-up time runs from launching
# the program until its window is viewable (the wheel is drawn before it is
# shown), polled every 5 ms.  Usage: bench/clock/startup.sh BUILD_DIR [IDLE_SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd)
idle=${2:-0}
export ZENLUME_BENCH_BUILD=$build ZENLUME_BENCH_IDLE=$idle
exec xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  trayer --edge top --align right --widthtype pixel --width 100 --height 32 >/dev/null 2>&1 &
  sleep 1
  export XDG_CONFIG_HOME=$(mktemp -d)
  for run in 1 2 3 4 5; do
    start=$(date +%s.%N)
    "$ZENLUME_BENCH_BUILD/clock/zenlume" 2>/dev/null &
    pid=$!
    until xwininfo -name Zenlume 2>/dev/null | grep -q IsViewable; do sleep 0.005; done
    end=$(date +%s.%N)
    printf "start to first drawn wheel: %.3f s\n" "$(echo "$end - $start" | bc)"
    if [ "$run" = 5 ]; then
      sleep 2
      grep VmRSS "/proc/$pid/status"
      if [ "$ZENLUME_BENCH_IDLE" -gt 0 ]; then
        ticks() { awk "{print \$14 + \$15}" "/proc/$pid/stat"; }
        before=$(ticks); sleep "$ZENLUME_BENCH_IDLE"; after=$(ticks)
        printf "CPU over %s idle seconds: %.2f s\n" "$ZENLUME_BENCH_IDLE" "$(echo "($after - $before) / $(getconf CLK_TCK)" | bc -l)"
      fi
    fi
    kill "$pid"; wait "$pid" 2>/dev/null || true
  done
'
