#!/usr/bin/env bash
# How long the organiser's LAN check window stops answering under a flood of verdicts, against
# the same flood into a share no window shows (Linux, offscreen).
# Usage: bench/lan_table.sh [rounds] [verdicts a second]   (default 5 and 2000)
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build/CMakeCache.txt ] || cmake --preset default
cmake --build build --target korvane_lan_table_bench >/dev/null
build/bin/korvane_lan_table_bench "${1:-5}" "${2:-2000}"
