#!/usr/bin/env bash
# Builds the desktop program, korvane-cli, the window tests and tools for 64-bit Windows with the
# static Qt of scripts/build-qt-windows.sh (built first when missing: about 16 minutes on 2 idle
# cores), then, under Wine in a fresh prefix inside the build directory:
#   - runs the window tests on Qt's offscreen platform (no display),
#   - checks that https requests (the update check) go through Windows' own TLS (Schannel),
#   - renders the main, harmonizer, grip and LAN check windows, the LAN check's question before
#     a match, and the LAN check on the network (a host sharing, a guest that compared with it) on
#     an Xvfb display through Wine's window system to
#     docs/screenshots/windows-<window>-<de|uk>.png,
#   - packs build-windows-gui/korvane-<version>-windows-x64.zip and starts korvane.exe from it,
#   - makes the setup korvane-<version>-windows-x64-setup.exe of the same files and tries it
#     (scripts/test-windows-setup.sh: install, start, uninstall, update, a picture of the wizard).
# Fails when any of it fails. Usage: scripts/test-windows-gui.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# fonts-wine: Wine's Tahoma, the face of Windows' dialogs; librsvg2-bin renders the pictures and
# icoutils packs them into the setup's icon; xdotool moves the pointer out of the way of the
# screenshots and imagemagick takes the one of the setup; nsis makes the setup.
scripts/install-deps.sh g++-mingw-w64-x86-64 wine wine64 fonts-wine librsvg2-bin xdotool \
  nsis icoutils imagemagick
scripts/build-qt-windows.sh

build_dir="$PWD/build-windows-gui"
cmake --preset windows-gui
cmake --build --preset windows-gui

. scripts/fresh-wine-prefix.sh "$build_dir/wineprefix"
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
  wine "$1/bin/korvane_screenshots.exe" "$(winepath -w "$2")" main harmonizer grip lancheck \
    lancheck-match lancheck-share lancheck-host' - "$build_dir" "$shots"
for shot in "$shots"/*.png; do
  cp "$shot" "docs/screenshots/windows-$(basename "$shot")"
done
ls docs/screenshots/windows-*.png

# The Windows zip: korvane.exe beside korvane-cli.exe and the grip tables; it needs no Qt DLLs,
# Qt is linked in. Unpacked into the prefix, the desktop program must start and keep running.
rm -f "$build_dir"/korvane-*-windows-x64.zip
(cd "$build_dir" && cpack -G ZIP >/dev/null)
zip=$(ls "$build_dir"/korvane-*-windows-x64.zip)
unpacked="$WINEPREFIX/drive_c/Korvane"
rm -rf "$unpacked" && mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
for file in korvane.exe korvane-cli.exe terea.ini terql.ini README.txt; do
  [ -f "$unpacked/$file" ] || { echo "$zip lacks $file" >&2; exit 1; }
done
status=0
WINEQT_QPA_PLATFORM=offscreen timeout 20 wine "$unpacked/korvane.exe" || status=$?
if [ "$status" -ne 124 ]; then
  echo "korvane.exe from $zip ended with status $status instead of running" >&2
  exit 1
fi
echo "$zip: korvane.exe starts under Wine"

# The setup of the same files (korvane-<version>-windows-x64-setup.exe), installed, used and
# uninstalled again in a prefix of its own.
rm -f "$build_dir"/korvane-*-windows-x64-setup.exe
(cd "$build_dir" && cpack -G NSIS >/dev/null)
ls "$build_dir"/korvane-*-windows-x64-setup.exe
scripts/test-windows-setup.sh "$build_dir"
