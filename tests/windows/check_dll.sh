#!/usr/bin/env bash
# Checks a 32-bit qvcalc32.dll against calc/qvcalc32.def with
# i686-w64-mingw32-objdump -p:
#  - a 32-bit DLL whose export directory is named qvcalc32.dll;
#  - every routine of the .def file at its ordinal, with its undecorated
#    name (no stdcall "@n"), and no other named export;
#  - imports from the system's own DLLs only (no compiler run-time DLLs).
# Usage: check_dll.sh DLL DEF [OBJDUMP]
set -euo pipefail
dll=$1 def=$2 objdump=${3:-i686-w64-mingw32-objdump}
# The DLLs every Windows system has.
system_dlls='^(kernel32|user32|msvcrt|advapi32|gdi32|ntdll)\.dll$'

dump=$("$objdump" -p "$dll")
failures=0
fail() { echo "check_dll: $*" >&2; failures=$((failures + 1)); }

grep -q 'file format pei-i386' <<<"$dump" || fail "not a 32-bit Windows DLL"
grep -Eq '^Name[[:space:]].*qvcalc32\.dll$' <<<"$dump" || fail "the export directory is not named qvcalc32.dll"
base=$(sed -n 's/^Ordinal Base[[:space:]]*\([0-9]*\)$/\1/p' <<<"$dump")
[ -n "$base" ] || fail "no export table"
base=${base:-1}

# "[ index] Name" rows of the name table; the ordinal is index + base.
declare -A found
while read -r index name; do
  found[$name]=$((index + base))
done < <(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\] \(.*\)$/\1 \2/p' <<<"$dump")

# The routines of the .def file: "Name @N" without NONAME.
expected=0
while read -r name ordinal; do
  expected=$((expected + 1))
  if [ -z "${found[$name]:-}" ]; then
    fail "$name (ordinal $ordinal) is not exported by name"
  elif [ "${found[$name]}" != "$ordinal" ]; then
    fail "$name is at ordinal ${found[$name]}, expected $ordinal"
  fi
  # An address behind the ordinal, not a hole in the table.
  grep -Eq "\+base\[[[:space:]]*$ordinal\] [0-9a-f]+ Export RVA" <<<"$dump" || fail "ordinal $ordinal has no address"
done < <(sed -n 's/^[[:space:]]\{1,\}\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]\{1,\}@\([0-9]\{1,\}\)[[:space:]]*$/\1 \2/p' "$def")

for name in "${!found[@]}"; do
  case $name in *@*) fail "decorated name $name" ;; esac
  grep -Eq "^[[:space:]]+$name[[:space:]]+@${found[$name]}[[:space:]]*$" "$def" || fail "unexpected export $name"
done

imports=$(sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p' <<<"$dump")
[ -n "$imports" ] || fail "no imports found"
for lib in $imports; do
  grep -Eqi "$system_dlls" <<<"$lib" || fail "imports $lib, which is not a system DLL"
done

if [ "$failures" -ne 0 ]; then
  echo "check_dll: FAILED ($failures problems) for $dll" >&2
  exit 1
fi
echo "check_dll: $expected routines at their ordinals (base $base), undecorated names, imports: $(echo $imports)"
