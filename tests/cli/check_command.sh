#!/usr/bin/env bash
# zenlume-chart as a user runs it: options, exit codes and messages.
set -u
chart=$1
renderer=${2:-with-renderer}   # with-renderer, or without-renderer for a build without the GUI
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME=$tmp/config   # never the user's own settings
passed=0 failed=0

# Counts one check, passed when STATUS (the exit status of its test) is 0;
# a failed one is named with the first lines of the FILEs that tell why.
tally() {  # tally STATUS NAME [FILE...]
  local status=$1 name=$2
  shift 2
  if [ "$status" = 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    [ $# = 0 ] || cat "$@" | head -n 20
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
  exit
}

expect() {  # expect NAME CODE PATTERN -- command...
  local name=$1 code=$2 pattern=$3
  shift 4
  "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  [ "$rc" = "$code" ] && grep -qE -- "$pattern" "$tmp/out" "$tmp/err"
  tally $? "$name (exit $rc, wanted $code; looked for /$pattern/)" "$tmp/out" "$tmp/err"
}

printf '[Place]\nNS=1\nLatD=51\nLatM=30\nEW=1\nLongD=0\nLongM=7\n[Setting]\nHouses=1\n' >"$tmp/london.ini"
printf '[Place]\nNS=1\nLatD=70\n' >"$tmp/polar.ini"
head -c 5000 /dev/urandom >"$tmp/binary.ini"

expect "help" 0 "usage: zenlume-chart" -- "$chart" --help
expect "no settings file: defaults" 0 "Placidus" -- env TZ=UTC "$chart"
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

# --at takes exactly its two forms, in the library's calendar.
expect "time with a tail" 2 'expected "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS"' -- "$chart" --at "2026-06-21 12:00junk"
expect "time with an offset" 2 'expected "YYYY-MM-DD HH:MM"' -- "$chart" --at "2026-06-21 12:00 +0100"
expect "signed month" 2 'expected "YYYY-MM-DD HH:MM"' -- "$chart" --at "2026-+6-21 12:00"
expect "one-digit month" 2 'expected "YYYY-MM-DD HH:MM"' -- "$chart" --at "2026-6-21 12:00"
expect "hour 24" 2 "no such time of day" -- "$chart" --at "2026-06-21 24:00"
expect "Julian leap day" 0 "1500-02-29 12:00:00 local" -- "$chart" --at "1500-02-29 12:00"
expect "days the calendar skipped" 2 "no such day in the calendar" -- "$chart" --at "1582-10-10 12:00"
expect "seconds with a T" 0 "2026-06-21 12:00:30 local" -- "$chart" --at "2026-06-21T12:00:30"

# Time zones: --at is the place's clock time in its named zone; a time the
# clocks skip or repeat is refused with both candidates; an explicit offset
# or Z chooses.  The computer's own zone changes nothing.
printf '[Place]\nNS=1\nLatD=52\nLatM=31\nLongD=13\nLongM=24\nZoneH=1\nTimeZone=Europe/Berlin\n' >"$tmp/berlin.ini"
printf '[Place]\nNS=1\nLatD=52\nZoneH=1\nTimeZone=Mars/Olympus\n' >"$tmp/mars.ini"
expect "summer time" 0 "UT 2026-07-15 10:00:00" -- "$chart" --at "2026-07-15 12:00" --ini "$tmp/berlin.ini"
expect "zone in force" 0 "zone Europe/Berlin CEST UTC\+02:00" -- "$chart" --at "2026-07-15 12:00" --ini "$tmp/berlin.ini"
expect "computer in New York" 0 "UT 2026-07-15 10:00:00" -- env TZ=America/New_York "$chart" --at "2026-07-15 12:00" --ini "$tmp/berlin.ini"
expect "skipped hour" 2 "does not exist in Europe/Berlin .*02:30\+02:00 \(2026-03-29 00:30 UT\) or 2026-03-29 02:30\+01:00" -- "$chart" --at "2026-03-29 02:30" --ini "$tmp/berlin.ini"
expect "repeated hour" 2 "happens twice in Europe/Berlin" -- "$chart" --at "2026-10-25 02:30" --ini "$tmp/berlin.ini"
expect "repeated hour, offset given" 0 "UT 2026-10-25 01:30:00" -- "$chart" --at "2026-10-25 02:30+01:00" --ini "$tmp/berlin.ini"
expect "UT given" 0 "2026-07-15 12:00:00 local time \(UT 2026-07-15 10:00:00\)" -- "$chart" --at "2026-07-15 10:00Z" --ini "$tmp/berlin.ini"
expect "json zone" 0 '"time_zone": "Europe/Berlin"' -- "$chart" --json --at "2026-07-15 12:00" --ini "$tmp/berlin.ini"
expect "unknown zone name" 0 "Mars/Olympus.* is not in the system's time-zone database; using the fixed zone \+01:00" -- "$chart" --ini "$tmp/mars.ini"
# Without a settings file: the place of the computer's zone, said on stderr.
expect "first start in Berlin" 0 "52°30' N, 13°22' E, the place of your computer's time zone Europe/Berlin" -- env TZ=Europe/Berlin "$chart"
expect "first start in UT" 0 "No place is set yet" -- env TZ=UTC "$chart"

# Settings: a place beyond the globe is refused, naming file, section and
# key; an unreadable value is named and its default used.
printf '[Place]\nNS=1\nLatD=91\n' >"$tmp/lat91.ini"
printf '[Place]\nZoneH=30\n' >"$tmp/zone30.ini"
printf '[Place]\nEW=1\nLongD=181\n' >"$tmp/long181.ini"
printf '[Setting]\nSize=big\n[Place]\nLatD=x\n' >"$tmp/unreadable.ini"
expect "latitude beyond 90" 2 "$tmp/lat91.ini: \\[Place\\] LatD=91 puts the latitude beyond 90" -- "$chart" --ini "$tmp/lat91.ini"
expect "zone of 30 h" 2 "\\[Place\\] ZoneH=30 puts the zone at 24 h or beyond" -- "$chart" --ini "$tmp/zone30.ini"
expect "longitude beyond 180" 2 "\\[Place\\] LongD=181" -- "$chart" --json --ini "$tmp/long181.ini"
expect "unreadable values: named" 0 "unreadable.ini: \\[Setting\\] Size=big is not a whole number; using the default 63" -- "$chart" --ini "$tmp/unreadable.ini"
expect "unreadable values: each one" 0 "\\[Place\\] LatD=x is not a whole number" -- "$chart" --ini "$tmp/unreadable.ini"
# The precise ephemeris: --precise or [Setting] Precision=1; the theory is
# named in the table and the JSON; a year beyond its reach is said once.
printf '[Setting]\nPrecision=1\n' | cat "$tmp/berlin.ini" - >"$tmp/precise.ini"
expect "precise: option" 0 "^Theory precise ephemeris" -- "$chart" --precise --at "2026-07-15 12:00" --ini "$tmp/berlin.ini"
expect "precise: the library by default" 0 "^Theory qvcalc32" -- "$chart" --at "2026-07-15 12:00" --ini "$tmp/berlin.ini"
expect "precise: key" 0 '"theory": "precise"' -- "$chart" --json --at "2026-07-15 12:00" --ini "$tmp/precise.ini"
expect "precise: Jupiter to the arc-second" 0 '"name": "Jupiter".*"longitude": 123\.2956' -- "$chart" --json --precise --at "2026-07-15 10:00Z" --ini "$tmp/berlin.ini"
"$chart" --precise --at "2450-01-01 12:00" --ini "$tmp/berlin.ini" >"$tmp/out" 2>"$tmp/err"
[ $? = 0 ] && [ "$(grep -c "High precision does not reach 2450 for the Sun" "$tmp/err")" = 1 ]
tally $? "precise: beyond its years, said once on standard error" "$tmp/err"
expect "help: exit codes" 0 "file whose place lies beyond the globe" -- "$chart" --help
expect "help: the cost of large pictures" 0 "10000 takes about 400 MB" -- "$chart" --help
head -c $((16 << 20)) /dev/zero | tr '\0' '\n' >"$tmp/newlines.ini"
expect "16 MiB of line ends" 2 "more than 100000 lines" -- "$chart" --ini "$tmp/newlines.ini"

# No house system: no cusps and no angles rather than "00 Aries 00".
printf '[Setting]\nHouses=255\n' >"$tmp/nohouses.ini"
expect "no house system: JSON" 0 '"rising_sign": null' -- "$chart" --json --ini "$tmp/nohouses.ini"
"$chart" --ini "$tmp/nohouses.ini" --at "2026-06-20 12:00" >"$tmp/nohouses.txt" 2>/dev/null
grep -q '^Ascendant$' "$tmp/nohouses.txt" && ! grep -q '00 ♈' "$tmp/nohouses.txt"
tally $? "no house system: the table shows cusps"

# Every output checks its writes.
full() {  # full CMD...: runs with standard output on /dev/full
  "$@" >/dev/full
}
expect "table to a full disk" 1 "cannot write the chart: No space left on device" -- full "$chart"
expect "JSON to a full disk" 1 "cannot write the chart: No space left on device" -- full "$chart" --json

if [ "$renderer" = without-renderer ]; then
  expect "no renderer in this build" 2 "has no wheel renderer" -- "$chart" --render "$tmp/x.png"
  expect "table and JSON need none" 0 '"jd": 2461382' -- "$chart" --json --at "2026-12-07 21:40" --ini "$tmp/london.ini"
  [ ! -e "$tmp/x.png" ]
  tally $? "--render without a renderer wrote a file"
  finish
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
  [ "$rc" = 0 ] && [ ! -s "$tmp/out" ] && [ -f "$file" ] && [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] &&
    [ "$(png_size "$file")" = "$size" ]
  tally $? "$name (exit $rc, wanted a $size PNG in $file)" "$tmp/out" "$tmp/err"
}
printf '[Setting]\nGlyphs=2\nCusps=2\nHouses=2\n[Show]\nNode=1\nChiron=1\n' >"$tmp/colours.ini"
expect "help names --render" 0 "--render FILE" -- "$chart" --help
expect_png "render, default side" "$tmp/w.png" 547x547 -- "$chart" --render "$tmp/w.png" --at "2026-12-07 21:40" --ini "$tmp/london.ini"
expect_png "render at 1094" "$tmp/w.png" 1094x1094 -- "$chart" --render "$tmp/w.png" --size 1094 --ini "$tmp/colours.ini"
expect_png "render at 50" "$tmp/w.png" 50x50 -- "$chart" --size 50 --render "$tmp/w.png"
printf '[Setting]\nHouses=255\nCusps=2\n' >"$tmp/nohouses-cusps.ini"
expect_png "render without a house system" "$tmp/w.png" 547x547 -- "$chart" --render "$tmp/w.png" --ini "$tmp/nohouses-cusps.ini"
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

# "-" is standard output; what is not a regular file is written into, never
# replaced; a read-only file is refused; a failed write gives the reason.
"$chart" --render - --size 60 >"$tmp/stdout.png" 2>"$tmp/err" && [ "$(png_size "$tmp/stdout.png")" = 60x60 ] && [ ! -e ./- ]
tally $? "--render - writes no PNG to standard output" "$tmp/err"
expect "render to a full standard output" 1 "cannot write the picture to standard output: No space left on device" -- full "$chart" --render -
mkfifo "$tmp/fifo"
cat "$tmp/fifo" >"$tmp/fifo.out" &
reader=$!
"$chart" --render "$tmp/fifo" --size 60 >"$tmp/out" 2>"$tmp/err"
rc=$?
# A FIFO replaced by a file leaves its reader waiting for ever.
if [ -p "$tmp/fifo" ]; then wait "$reader"; else kill "$reader" 2>/dev/null; fi
ls -l "$tmp/fifo" >>"$tmp/err" 2>&1
[ "$rc" = 0 ] && [ -p "$tmp/fifo" ] && [ "$(png_size "$tmp/fifo.out")" = 60x60 ]
tally $? "render into a FIFO (exit $rc)" "$tmp/err"
printf 'mine' >"$tmp/ro.png"
chmod 444 "$tmp/ro.png"
expect "render onto a read-only file" 1 "cannot write $tmp/ro.png: the file is read-only" -- "$chart" --render "$tmp/ro.png"
[ "$(cat "$tmp/ro.png")" = mine ] && [ "$(stat -c %a "$tmp/ro.png")" = 444 ]
tally $? "the read-only file was changed"
if [ "$(id -u)" = 0 ] && mknod "$tmp/full" c 1 7 2>/dev/null && mknod "$tmp/null" c 1 3 2>/dev/null; then
  expect "render onto a full device" 1 "cannot write $tmp/full: No space left on device$" -- "$chart" --render "$tmp/full"
  ! grep -qiE "libpng|Unknown error" "$tmp/err"
  tally $? "stray encoder message" "$tmp/err"
  [ -c "$tmp/full" ]
  tally $? "the full device was replaced"
  "$chart" --render "$tmp/null" 2>"$tmp/err"
  tally $? "render into the null device" "$tmp/err"
  [ -c "$tmp/null" ]
  tally $? "the null device was replaced"
else
  echo "skipped: render onto character devices (needs root and mknod)"
fi
# A full disk, in a private mount of a 16 KiB tmpfs: the system's reason,
# no encoder message, and no temporary file left behind.
mkdir "$tmp/small"
if unshare -m true 2>/dev/null; then
  unshare -m sh -c 'mount -t tmpfs -o size=16k tmpfs "$1" 2>/dev/null || exit 99
    "$2" --render "$1/w.png"; rc=$?; ls -A "$1"; exit $rc' sh "$tmp/small" "$chart" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  if [ "$rc" = 99 ]; then
    echo "skipped: render onto a full disk (no tmpfs mount)"
  else
    [ "$rc" = 1 ] && grep -qx "zenlume-chart: cannot write $tmp/small/w.png: No space left on device" "$tmp/err" &&
      [ ! -s "$tmp/out" ]
    tally $? "render onto a full disk (exit $rc)" "$tmp/out" "$tmp/err"
  fi
else
  echo "skipped: render onto a full disk (needs a private mount namespace)"
fi
[ ! -e "$tmp/x.png" ]
tally $? "a refused command wrote a file"

if command -v python3 >/dev/null; then
  "$chart" --json --ini "$tmp/polar.ini" >"$tmp/polar.json" 2>/dev/null
  python3 -m json.tool "$tmp/polar.json" >/dev/null
  tally $? "JSON does not parse"
fi
finish
