#!/usr/bin/env bash
# The tests of the floors that read what other PCs send (the report and the network) and the fuzz
# targets' kept inputs, built with g++'s AddressSanitizer and UndefinedBehaviorSanitizer (asan
# preset: those floors and the ones below them only, no desktop program, no korvane-cli). The
# first finding (a bad access, a leak, undefined behaviour) ends its test with a report.
# Usage: scripts/test-sanitizers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
echo "Sanitizer build and tests: $SECONDS s"
