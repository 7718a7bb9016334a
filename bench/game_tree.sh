#!/usr/bin/env bash
# Times the digest tree of a game-sized installation (some 20,000 files, 1.5 GB) against
# sha256sum over the same files: the first scan, the repeat scan and the peak memory, median of
# the rounds (Linux; /usr/bin/time gives the peak memory). The tree lives under a temporary folder, removed at the end.
# Usage: bench/game_tree.sh [rounds]   (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build/CMakeCache.txt ] || cmake --preset default
cmake --build build --target korvane_game_tree_bench >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-game-tree.XXXXXX")
trap 'rm -rf "$work"' EXIT
build/bin/korvane_game_tree_bench "$work" "${1:-3}"
# The peak memory of a first scan in a process of its own, as the system counts it.
peak=$( { /usr/bin/time -f "%M" build/bin/korvane_game_tree_bench --scan "$work/game" "$work/cache/game.cache"; } 2>&1 )
echo "peak memory of a first scan: $((peak / 1024)) MiB (maximum resident set, $peak KiB)"
