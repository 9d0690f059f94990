#!/usr/bin/env bash
# zenlume-chart as a user runs it: options, exit codes and messages.
set -u
chart=$1
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

if command -v python3 >/dev/null; then
  "$chart" --json --ini "$tmp/polar.ini" >"$tmp/polar.json" 2>/dev/null
  if python3 -m json.tool "$tmp/polar.json" >/dev/null; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAILED: JSON does not parse"; fi
fi
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
