#!/usr/bin/env bash
# Runs a command on a virtual X display with a real tray host (trayer) and
# a private session bus, as the clock's tests need: the notification area,
# window geometry and the stay-on-top flag only exist on a real window
# system, and the publication needs a bus.  With WITH_TRAY_HOST=none the
# display has no tray host: the tests of a tray that comes and goes start
# and end their own.
set -u
if ! command -v xvfb-run >/dev/null || ! command -v trayer >/dev/null; then
  echo "with_tray.sh: needs xvfb-run and trayer (bash scripts/deps installs them)" >&2
  exit 1
fi
export QT_QPA_PLATFORM=xcb
# A private session bus too, for the publication's tests.
bus=()
command -v dbus-run-session >/dev/null && bus=(dbus-run-session --)
exec "${bus[@]}" xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  log=$(mktemp)
  # Start the tray host and wait until it has made its panel window.  Under
  # a loaded machine trayer has been seen to die at start or never map its
  # panel: it gets up to three tries of 20 s each.
  tray=
  if [ "${WITH_TRAY_HOST:-}" = none ]; then
    rm -f "$log"
    "$@"
    exit $?
  fi
  for attempt in 1 2 3; do
    trayer --edge top --align right --widthtype pixel --width 100 --height 32 >"$log" 2>&1 &
    tray=$!
    for _ in $(seq 200); do
      xwininfo -root -tree 2>/dev/null | grep -q "\"panel\"" && break 2
      kill -0 "$tray" 2>/dev/null || break
      sleep 0.1
    done
    echo "with_tray.sh: trayer gave no panel (try $attempt):" >&2
    cat "$log" >&2
    kill "$tray" 2>/dev/null
    wait "$tray" 2>/dev/null
  done
  # A moment more for it to take the tray selection (slow under the
  # sanitizers); the tests themselves wait for the tray as well.
  sleep 1
  "$@"
  rc=$?
  kill "$tray" 2>/dev/null
  rm -f "$log"
  exit $rc
' with_tray "$@"
