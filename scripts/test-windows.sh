#!/usr/bin/env bash
# Cross-compiles the logic and its tests for 64-bit Windows with MinGW-w64 and runs them under
# Wine, headless, in a fresh Wine prefix inside the build directory. Fails when any test fails.
# Usage: scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh g++-mingw-w64-x86-64 wine wine64

build_dir="$PWD/build-windows"
cmake --preset windows
cmake --build --preset windows

# A prefix of our own, made afresh, so that no registry value or file of an earlier run (or of
# the user's own Wine) can make a test pass or fail.
export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installers: they would ask for a display and are not needed.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i
wineserver -w

ctest --preset windows
