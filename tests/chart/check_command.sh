#!/usr/bin/env bash
# zenlume-chart as a user runs it: options, exit codes and messages.
set -u
chart=$1
renderer=${2:-with-renderer}   # with-renderer, or without-renderer for a build without the GUI
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME=$tmp/config   # never the user's own settings
passed=0 failed=0

expect() {  # expect NAME CODE PATTERN -- command...
  local name=$1 code=$2 pattern=$3
  shift 4
  "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  if [ "$rc" = "$code" ] && grep -qE -- "$pattern" "$tmp/out" "$tmp/err"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name (exit $rc, wanted $code; looked for /$pattern/)"
    cat "$tmp/out" "$tmp/err" | head -n 20
  fi
}

printf '[Place]\nNS=1\nLatD=51\nLatM=30\nEW=1\nLongD=0\nLongM=7\n[Setting]\nHouses=1\n' >"$tmp/london.ini"
printf '[Place]\nNS=1\nLatD=70\n' >"$tmp/polar.ini"
head -c 5000 /dev/urandom >"$tmp/binary.ini"

expect "help" 0 "usage: zenlume-chart" -- "$chart" --help
expect "no settings file: defaults" 0 "Placidus" -- "$chart"
expect "given time" 0 "2026-12-07 21:40:00 local" -- "$chart" --at "2026-12-07 21:40" --ini "$tmp/london.ini"
expect "house system from the file" 0 "Houses Koch" -- "$chart" --at "2026-12-07 21:40" --ini "$tmp/london.ini"
expect "json" 0 '"jd": 2461382' -- "$chart" --json --at "2026-12-07T21:40:10" --ini "$tmp/london.ini"
expect "polar latitude" 0 "has no cusps at latitude 70" -- "$chart" --at "2026-12-07 12:00" --ini "$tmp/polar.ini"
expect "binary settings file" 0 "Placidus" -- "$chart" --ini "$tmp/binary.ini"
expect "unknown option" 2 'unknown option "--bogus"' -- "$chart" --bogus
expect "impossible date" 2 "cannot read the time" -- "$chart" --at "2026-02-30 10:00"
expect "garbage time" 2 "cannot read the time" -- "$chart" --at "tomorrow"
expect "missing value" 2 "--at needs a value" -- "$chart" --at
expect "missing settings file" 2 "cannot read the settings file" -- "$chart" --ini "$tmp/nothing.ini"
expect "folder as settings file" 2 "not a regular file" -- "$chart" --ini "$tmp"

if [ "$renderer" = without-renderer ]; then
  expect "no renderer in this build" 2 "has no wheel renderer" -- "$chart" --render "$tmp/x.png"
  expect "table and JSON need none" 0 '"jd": 2461382' -- "$chart" --json --at "2026-12-07 21:40" --ini "$tmp/london.ini"
  [ ! -e "$tmp/x.png" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAILED: --render without a renderer wrote a file"; }
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
  exit
fi

# --render: a PNG of the given side, drawn without any display.
png_size() {  # the width and height in a PNG's header
  od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'
}
expect_png() {  # expect_png NAME FILE SIZE -- command...
  local name=$1 file=$2 size=$3
  shift 4
  rm -f "$file"
  "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  if [ "$rc" = 0 ] && [ ! -s "$tmp/out" ] && [ -f "$file" ] && [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] &&
     [ "$(png_size "$file")" = "$size" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name (exit $rc, wanted a $size PNG in $file)"
    cat "$tmp/out" "$tmp/err" | head -n 20
  fi
}
printf '[Setting]\nGlyphs=2\nCusps=2\nHouses=2\n[Show]\nNode=1\nChiron=1\n' >"$tmp/colours.ini"
expect "help names --render" 0 "--render FILE" -- "$chart" --help
expect_png "render, default side" "$tmp/w.png" 547x547 -- "$chart" --render "$tmp/w.png" --at "2026-12-07 21:40" --ini "$tmp/london.ini"
expect_png "render at 1094" "$tmp/w.png" 1094x1094 -- "$chart" --render "$tmp/w.png" --size 1094 --ini "$tmp/colours.ini"
expect_png "render at 50" "$tmp/w.png" 50x50 -- "$chart" --size 50 --render "$tmp/w.png"
expect_png "render with no display at all" "$tmp/w.png" 547x547 -- env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$chart" --render "$tmp/w.png"
expect_png "render with a display that is not there" "$tmp/w.png" 547x547 -- env QT_QPA_PLATFORM=xcb DISPLAY=:97 "$chart" --render "$tmp/w.png"
expect "other modes start no GUI" 0 "Placidus" -- env QT_QPA_PLATFORM=no-such-platform "$chart" --at "2026-12-07 21:40"
expect "size not a number" 2 'size "big" is not a whole number of pixels from 50 to 10000' -- "$chart" --render "$tmp/x.png" --size big
expect "size with a tail" 2 "not a whole number of pixels" -- "$chart" --render "$tmp/x.png" --size 600px
expect "size too small" 2 "not a whole number of pixels" -- "$chart" --render "$tmp/x.png" --size 49
expect "size too large" 2 "not a whole number of pixels" -- "$chart" --render "$tmp/x.png" --size 10001
expect "negative size" 2 "not a whole number of pixels" -- "$chart" --render "$tmp/x.png" --size -600
expect "size without render" 2 "--size goes with --render" -- "$chart" --size 600
expect "render needs a file" 2 "--render needs a value" -- "$chart" --render
expect "render and json" 2 "do not go together" -- "$chart" --json --render "$tmp/x.png"
expect "render into a missing folder" 1 "cannot write $tmp/no/such/w.png" -- "$chart" --render "$tmp/no/such/w.png"
expect "render onto a folder" 1 "cannot write" -- "$chart" --render "$tmp"
[ ! -e "$tmp/x.png" ] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAILED: a refused command wrote a file"; }

if command -v python3 >/dev/null; then
  "$chart" --json --ini "$tmp/polar.ini" >"$tmp/polar.json" 2>/dev/null
  if python3 -m json.tool "$tmp/polar.json" >/dev/null; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAILED: JSON does not parse"; fi
fi
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
