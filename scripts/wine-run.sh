#!/usr/bin/env bash
# Runs a Windows program of the windows-gui build under Wine; CTest starts every test through it.
# Usage: scripts/wine-run.sh <program.exe> [argument ...]
#
# - Wine keeps QT_* variables from Windows programs and hands them on only when spelled WINEQT_*:
#   a test's QT_QPA_PLATFORM=offscreen would otherwise be lost.
# - Qt Test sends its report to the debugger, not to stdout, when the program has no console, as
#   under Wine with redirected output; QT_FORCE_STDERR_LOGGING keeps it on stdout.
# - Window test cases that cannot pass under Wine are named in tests/wine_known_failures.txt.
#   They still run; the test passes when they are the only ones that failed.
set -euo pipefail

program=$1
shift
export QT_FORCE_STDERR_LOGGING=1
for variable in $(compgen -e | grep '^QT_' || true); do
  export "WINE$variable=${!variable}"
done

list="$(dirname "$0")/../tests/wine_known_failures.txt"
test_name=$(basename "$program" .exe)
known=$(awk -v test="$test_name" '$1 == test { sub(/^[^ ]+ +/, ""); print }' "$list")
if [ -z "$known" ]; then
  exec wine "$program" "$@"
fi

report=$(mktemp)
trap 'rm -f "$report"' EXIT
status=0
wine "$program" "$@" -o "$(winepath -w "$report"),txt" -o -,txt || status=$?
[ "$status" -eq 0 ] && exit 0

# Qt Test's exit status is the number of failed cases; every one must be a known one.
failures=$(tr -d '\r' < "$report" | grep '^FAIL!  : ' || true)
unknown=$failures
while IFS= read -r case_name; do
  unknown=$(grep -vF ": ${case_name} " <<<"$unknown" || true)
done <<<"$known"
count=$(grep -c . <<<"$failures" || true)
if [ -n "$unknown" ] || [ "$status" -ne "$count" ] || ! grep -q '^Totals: ' "$report"; then
  exit "$status"
fi
echo "Failed under Wine as expected (tests/wine_known_failures.txt):"
sed 's/^FAIL!  : /  /' <<<"$failures"
