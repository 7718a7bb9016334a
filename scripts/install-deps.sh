#!/usr/bin/env bash
# Installs the Debian packages that building and testing Korvane need, only those missing.
# Usage: scripts/install-deps.sh [extra-package ...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev       # the desktop program
  fonts-liberation2                        # a face with Arial's metrics for the splash
  libgtest-dev googletest                  # the test suites
  libcli11-dev libssl-dev                  # korvane-cli: arguments; the LAN check: SHA-256
  nlohmann-json3-dev                       # the LAN check: the JSON state report
  libasio-dev                              # the LAN check: sharing the report on the LAN
  clang-14 libclang-rt-14-dev llvm-14      # scripts/fuzz.sh: libFuzzer, clang's sanitizers, and
                                           # llvm-symbolizer for the source lines of a crash's stack
  xvfb xauth                               # screenshots of the windows
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
