#!/usr/bin/env bash
# The layers point one way: the library and beside it the precise ephemeris,
# then the chart core (no Qt), then
# the wheel renderer (Qt GUI), then the two programs: the desktop clock (its
# controls in clock/widgets know nothing of it) and zenlume-chart.  Every
# quoted include of a layer must name a header of its own layer or of one
# below it, and only the wheel and the desktop clock may include Qt.
set -u
root=$1
cd "$root" || exit 2
failed=0

check() {  # check DIR QT_ALLOWED ALLOWED_DIR_OR_FILE...
  local dir=$1 qt=$2
  shift 2
  local file header found
  for file in $(find "$dir" -maxdepth 1 -name '*.h' -o -maxdepth 1 -name '*.cpp' -o -maxdepth 1 -name '*.c'); do
    while read -r header; do
      found=0
      # An allowed entry is a folder, or one file of another layer (a contract).
      for allowed in "$@"; do
        if [ -f "$allowed/$header" ] || { [ -f "$allowed" ] && [ "$(basename "$allowed")" = "$header" ]; }; then
          found=1
        fi
      done
      # A header in no layer at all is made by the build (a bus adaptor).
      if [ "$found" = 0 ] && [ -n "$(find calc precise core wheel clock cli -name "$(basename "$header")" -print -quit)" ]; then
        echo "FAILED: $file includes \"$header\", which is not in its own layer or one below ($*)"
        failed=$((failed + 1))
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    if [ "$qt" = no ] && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file"; then
      echo "FAILED: $file includes Qt, but its layer must build without it"
      failed=$((failed + 1))
    fi
  done
}

check calc/include no calc/include
check calc/src no calc/src calc/include
check precise no precise
check core no core precise calc/include
check wheel yes wheel core calc/include
check clock/widgets yes clock/widgets
check clock yes clock clock/widgets wheel core calc/include
check cli no cli wheel/render_module.h core calc/include

[ "$failed" = 0 ] && echo "layers: every include points down"
[ "$failed" = 0 ]
