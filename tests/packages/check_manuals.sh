#!/usr/bin/env bash
# The manual pages against the programs: every option that `--help` lists
# heads an entry of the OPTIONS section of the program's page
# (resources/man), so that neither falls behind the other.
#   tests/packages/check_manuals.sh MAN_DIR PROGRAM...
set -euo pipefail
man_dir=$1
shift
status=0
for program in "$@"; do
  page="$man_dir/$(basename "$program").1"
  [ -f "$page" ] || { echo "check_manuals: no manual page $page" >&2; status=1; continue; }
  help=$("$program" --help)
  options=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
  [ -n "$options" ] || { echo "check_manuals: $program --help lists no option" >&2; status=1; }
  missing=0
  described=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page")
  for option in $options; do
    # roff writes each "-" of an option as "\-"; an entry starts .B, .BI or .BR.
    if ! grep -qE -- "^\.B[IR]? +${option//-/\\\\-}( |\$)" <<<"$described"; then
      echo "check_manuals: the OPTIONS of $(basename "$page") have no entry for $option" >&2
      missing=1
    fi
  done
  [ $missing -eq 0 ] && echo "check_manuals: $(basename "$program"): $(wc -w <<<"$options") options, each with its entry in the page"
  [ $missing -eq 0 ] || status=1
done
exit $status
