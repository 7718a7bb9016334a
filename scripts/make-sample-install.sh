#!/usr/bin/env bash
# Writes a small fake F1 2002 (with the Quillon season and the GT Racing 2002 mod) and
# F1 Challenge 99-02 (with the Quillon 2003 cars) under build/sample-install, and a settings file
# build/bin/korvane.ini that points Korvane at them. Every fake file says that it is fake.
# An earlier sample installation is replaced, so every run starts from untouched files.
# Usage: scripts/make-sample-install.sh   (after a build with the default preset)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
tool="$build/bin/korvane_sample_install"
[ -x "$tool" ] || cmake --build --preset default --target korvane_sample_install

rm -rf "$build/sample-install"
"$tool" "$build/sample-install" "$build/bin"
