#!/usr/bin/env bash
# Runs a Windows program of the windows-gui build under Wine; CTest starts every test through it.
# Usage: scripts/wine-run.sh <program.exe> [argument ...]
#
# - Wine keeps QT_* variables from Windows programs and hands them on only when spelled WINEQT_*:
#   a test's QT_QPA_PLATFORM=offscreen would otherwise be lost.
# - Qt Test sends its report to the debugger, not to stdout, when the program has no console, as
#   under Wine with redirected output; QT_FORCE_STDERR_LOGGING keeps it on stdout.
# - Cases that cannot run under Wine are left out by name (tests/wine_skipped.txt, which says why).
set -euo pipefail

program=$1
shift
export QT_FORCE_STDERR_LOGGING=1
for variable in $(compgen -e | grep '^QT_' || true); do
  export "WINE$variable=${!variable}"
done

skip_list="$(dirname "$0")/../tests/wine_skipped.txt"
test_name=$(basename "$program" .exe)
skipped=$(awk -v test="$test_name" '$1 == test { print $2 }' "$skip_list")
if [ $# -gt 0 ] || [ -z "$skipped" ]; then
  exec wine "$program" "$@"
fi

echo "Left out under Wine (tests/wine_skipped.txt):" $skipped
functions=$(wine "$program" -functions | tr -d '\r' | sed 's/()$//' | grep -vxF "$skipped")
# shellcheck disable=SC2086 # one argument per function name
exec wine "$program" $functions
