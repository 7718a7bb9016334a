#!/usr/bin/env bash
# Times a full F1 Challenge harmonize by korvane-cli against a plain, unsafe copy loop over the
# same files, on fresh fake installations under the temporary directory (Linux).
# Usage: bench/harmonize.sh [rounds]   (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build/CMakeCache.txt ] || cmake --preset default
cmake --build build --target korvane-cli korvane_harmonize_bench >/dev/null
build/bin/korvane_harmonize_bench build/bin/korvane-cli "${1:-7}"
