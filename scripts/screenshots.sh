#!/usr/bin/env bash
# Renders every window in German and English under Xvfb to docs/screenshots/<window>-<de|uk>.png.
# Usage: scripts/screenshots.sh [name ...]   (names: only those windows, e.g. main harmonizer)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target korvane_screenshots
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" build/bin/korvane_screenshots docs/screenshots "$@"
