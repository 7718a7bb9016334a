#!/usr/bin/env bash
# Cross-compiles the logic and its tests for 64-bit Windows with MinGW-w64 and runs them under
# Wine, headless, in a fresh Wine prefix inside the build directory. Then registers the games in
# another fresh prefix with Wine's own reg.exe and checks that the Linux korvane-cli finds them
# there: the registry reader must read what Wine really writes. Fails when anything fails.
# Usage: scripts/test-windows.sh [Linux korvane-cli]   (default build/bin/korvane-cli, built if missing)
set -euo pipefail
cli="${1:+$(realpath -m "$1")}"
cd "$(dirname "$0")/.."
cli="${cli:-$PWD/build/bin/korvane-cli}"

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

# A 64-bit prefix where F1 2002 is registered in the 32-bit view, as its 32-bit installer does,
# and F1 Challenge in the native view; both texts end in a backslash.
if [ ! -x "$cli" ]; then
    cmake --preset default >/dev/null
    cmake --build --preset default --target korvane-cli
fi
export WINEPREFIX="$build_dir/wineprefix-games"
rm -rf "$WINEPREFIX"
wineboot -i
wine reg add 'HKLM\Software\EA SPORTS\F1 2002' /v 'Install Dir' /d 'C:\Games\F1 2002\' /f /reg:32
wine reg add 'HKLM\Software\EA SPORTS\F1 Challenge 99-02' /v 'Install Dir' \
    /d 'C:\Games\F1 Challenge 99-02\' /f
wineserver -w # the registry reaches system.reg when the server ends
games="$WINEPREFIX/drive_c/Games"
mkdir -p "$games/F1 2002" "$games/F1 Challenge 99-02"
echo "fake game" >"$games/F1 2002/F1_2002.exe"
echo "fake game" >"$games/F1 Challenge 99-02/F1 Challenge 99-02.exe"

# A home of its own: no prefix or settings file of the user's can take part.
home="$build_dir/wine-check-home"
rm -rf "$home"
mkdir -p "$home"
found="$(env -i HOME="$home" WINEPREFIX="$WINEPREFIX" "$cli" detect --all)"
expected="$(printf '%s\tF1 2002\t%s\n%s\tF1 Challenge 99-02\t%s' \
    "$WINEPREFIX" "$games/F1 2002/\\" "$WINEPREFIX" "$games/F1 Challenge 99-02/")"
if [ "$found" != "$expected" ]; then
    printf 'korvane-cli detect --all found\n%s\ninstead of\n%s\n' "$found" "$expected" >&2
    exit 1
fi
echo "korvane-cli finds both games in the prefix that Wine registered them in."
