#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (no display needed).
# Usage: scripts/test.sh [--ci]   (--ci: warnings are errors, separate build directory)
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
[ "${1:-}" = "--ci" ] && preset=ci

scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset"
