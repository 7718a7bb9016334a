#!/usr/bin/env bash
# Installs what is missing, builds, and starts Korvane from the build directory. When no game is
# configured yet (no f1path/f1cpath in build/bin/korvane.ini), it first writes the sample
# installation (scripts/make-sample-install.sh) so that there is something to work on.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so Korvane cannot show" >&2
    echo "its windows here. Run this from a desktop session, or try: xvfb-run -a scripts/run.sh" >&2
    exit 1
fi

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target korvane korvane_sample_install

settings=build/bin/korvane.ini
if ! grep -qiE '^[[:space:]]*f1c?path[[:space:]]*=' "$settings" 2>/dev/null; then
    echo "No game configured in $settings: writing the sample installation."
    scripts/make-sample-install.sh
fi
exec build/bin/korvane
