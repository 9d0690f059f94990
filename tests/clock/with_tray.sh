#!/usr/bin/env bash
# Runs a command on a virtual X display with a real tray host (trayer) and
# a private session bus, as the clock's tests need: the notification area,
# window geometry and the stay-on-top flag only exist on a real window
# system, and the publication needs a bus.
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
  trayer --edge top --align right --widthtype pixel --width 100 --height 32 >/dev/null 2>&1 &
  tray=$!
  # Wait until the tray host has made its panel window, then a moment more
  # for it to take the tray selection (slow under the sanitizers).
  for _ in $(seq 300); do
    xwininfo -root -tree 2>/dev/null | grep -q "\"panel\"" && break
    sleep 0.1
  done
  sleep 1
  "$@"
  rc=$?
  kill "$tray" 2>/dev/null
  exit $rc
' with_tray "$@"
