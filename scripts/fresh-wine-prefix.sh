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

trap 'wineserver -k 2>/dev/null || true' EXIT
# Now and then Wine makes a prefix whose programs do not start ("could not load kernel32.dll",
# exit status 53; seen once in CI, never here): a program must start in it, else it is made anew.
for attempt in 1 2 3; do
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  prefix_status=0
  { wineboot -i && wineserver -w && wine cmd /c exit 0 && wineserver -w; } || prefix_status=$?
  [ "$prefix_status" -eq 0 ] && break
  echo "fresh-wine-prefix: Wine could not start a program in the new prefix $WINEPREFIX" \
    "(exit status $prefix_status, attempt $attempt of 3)" >&2
  [ "$attempt" -lt 3 ] || exit "$prefix_status"
done
