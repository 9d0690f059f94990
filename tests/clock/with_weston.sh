#!/usr/bin/env bash
# Runs a command as a native Wayland client: under weston's headless
# compositor (no display, no GPU) in a private runtime folder, with a
# private session bus.  Exits 77 (the test counts as skipped) with a line
# saying why when weston is missing or does not start.
set -u
if ! command -v weston >/dev/null; then
  echo "with_weston.sh: weston is not installed (bash scripts/deps installs it); skipped" >&2
  exit 77
fi
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill "$compositor" 2>/dev/null; wait "$compositor" 2>/dev/null; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-zenlume QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
  [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
  kill -0 "$compositor" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$runtime/$WAYLAND_DISPLAY" ]; then
  echo "with_weston.sh: weston's headless compositor did not start; skipped:" >&2
  tail -5 "$runtime/weston.log" >&2
  exit 77
fi
bus=()
command -v dbus-run-session >/dev/null && bus=(dbus-run-session --)
"${bus[@]}" "$@"
