# Sourced by the Windows test scripts: makes a Wine prefix of our own afresh in the directory
# given, so that no registry value or file of an earlier run (or of the user's own Wine) can make
# a test pass or fail, and points Wine at it, headless. The Wine server stops when the script ends.
# Usage: . scripts/fresh-wine-prefix.sh <prefix directory>
export WINEPREFIX="$1"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installers: they would ask for a display and are not needed. No menu builder:
# it would copy the prefix's Start menu and file types into the desktop menus of the Linux user.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i
wineserver -w
