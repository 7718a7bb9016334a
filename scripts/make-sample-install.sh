#!/usr/bin/env bash
# Writes a small fake F1 2002 (with the Quillon season and the GT Racing 2002 mod) and
# F1 Challenge 99-02 (with the Quillon 2003 cars) under build/sample-install, and a settings file
# build/bin/korvane.ini that points Korvane at them. Every fake file says that it is fake.
# With --wine-prefix it writes them into a fake Wine prefix, build/sample-wineprefix, registered
# in its registry as the installers register them, and writes no settings file: try it with
#   WINEPREFIX=$PWD/build/sample-wineprefix build/bin/korvane
# An earlier sample installation is replaced, so every run starts from untouched files.
# Usage: scripts/make-sample-install.sh [--wine-prefix]   (after a build with the default preset)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
tool="$build/bin/korvane_sample_install"
[ -x "$tool" ] || cmake --build --preset default --target korvane_sample_install

if [ "${1:-}" = "--wine-prefix" ]; then
    rm -rf "$build/sample-wineprefix"
    "$tool" --wine-prefix "$build/sample-wineprefix"
else
    rm -rf "$build/sample-install"
    "$tool" "$build/sample-install" "$build/bin"
fi
