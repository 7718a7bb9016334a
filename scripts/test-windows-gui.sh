#!/usr/bin/env bash
# Builds the desktop program, its window tests and tools (and korvane-cli, where the windows preset
# builds it) for 64-bit Windows with the static Qt of scripts/build-qt-windows.sh (built first
# when missing, about 20 minutes on 2 idle cores),
# then, under Wine in a fresh prefix inside the build directory:
#   - runs the window tests on Qt's offscreen platform (no display),
#   - checks that https requests (the update check) go through Windows' own TLS (Schannel),
#   - renders the main, harmonizer and grip windows on an Xvfb display through Wine's window
#     system to docs/screenshots/windows-<window>-<de|uk>.png.
# Fails when any of it fails. Usage: scripts/test-windows-gui.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# fonts-wine: Wine's Tahoma, the face of Windows' dialogs; librsvg2-bin renders the pictures;
# xdotool moves the pointer out of the way of the screenshots.
scripts/install-deps.sh g++-mingw-w64-x86-64 wine wine64 fonts-wine librsvg2-bin xdotool
scripts/build-qt-windows.sh

build_dir="$PWD/build-windows-gui"
cmake --preset windows-gui
cmake --build --preset windows-gui

export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i
wineserver -w
# Windows' dialog face. Without it Wine falls back to the first face it finds (a mathematical
# one here), in which line edits show no text at all.
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

ctest --preset windows-gui

backends=$(wine "$build_dir/bin/korvane_tls_backends.exe" | tr -d '\r')
echo "$backends"
if ! grep -qx "active: schannel" <<<"$backends"; then
  echo "https does not go through Schannel" >&2
  exit 1
fi

shots=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$shots"' EXIT
# The pointer starts in the middle of the screen, where it would hover over a button of the
# main window (whose explanation would then show).
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  xdotool mousemove 1279 1023
  wine "$1/bin/korvane_screenshots.exe" "$(winepath -w "$2")" main harmonizer grip' - "$build_dir" "$shots"
for shot in "$shots"/*.png; do
  cp "$shot" "docs/screenshots/windows-$(basename "$shot")"
done
ls docs/screenshots/windows-*.png

# The Windows zip (where the build packages one): korvane.exe beside korvane-cli.exe and the
# grip tables; it needs no Qt DLLs, Qt is linked in.
if [ -f "$build_dir/CPackConfig.cmake" ]; then
  (cd "$build_dir" && cpack -G ZIP)
fi
