#!/usr/bin/env bash
# Builds the Debian package, installs it as a player would, tries the installed programs on a
# fake installation and removes the package again, checking that nothing is left behind.
# Needs root (or sudo) for apt-get. Usage: scripts/test-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
scripts/install-deps.sh dpkg-dev

cmake --preset package
cmake --build --preset package
rm -f build-package/korvane_*.deb
(cd build-package && cpack -G DEB)
deb=$(ls "$PWD"/build-package/korvane_*_amd64.deb)
echo "Package: $deb"

work=$(mktemp -d)
cleanup() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq --purge korvane >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$deb" >/dev/null
dpkg -L korvane

# A player's own home: the settings file must land in its configuration directory, since
# /usr/lib/korvane is not writable for a player (and must not be written by root either).
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/unused"
build-package/bin/korvane_sample_install "$work/games" "$work/unused" >/dev/null
f1="$work/games/F1 2002"
f1c="$work/games/F1 Challenge 99-02"

fail() { echo "package check: $*" >&2; exit 1; }
[ "$(command -v korvane-cli)" = /usr/bin/korvane-cli ] || fail "korvane-cli is not on the PATH"
korvane-cli --help | grep -q harmonize || fail "korvane-cli --help"
korvane-cli --f1-path "$f1" --f1c-path "$f1c" harmonize f1c --season 2002 --team Ferrari >/dev/null ||
  fail "harmonize f1c"
korvane-cli --f1-path "$f1" --f1c-path "$f1c" status | grep -q "F1 Challenge: harmonized to Ferrari 2002" || fail "status after harmonize"

# The desktop program starts and keeps running (it waits for the language choice).
status=0
QT_QPA_PLATFORM=offscreen timeout 5 korvane >"$work/korvane.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/korvane.log"; fail "korvane ended early with status $status"; }

DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq --purge korvane >/dev/null
if dpkg-query -W korvane >/dev/null 2>&1 && dpkg-query -W -f='${Status}' korvane | grep -q installed; then
  fail "korvane is still installed"
fi
for left in /usr/lib/korvane /usr/bin/korvane /usr/bin/korvane-cli /usr/share/applications/korvane.desktop \
            /usr/share/icons/hicolor/scalable/apps/korvane.svg; do
  [ ! -e "$left" ] && [ ! -L "$left" ] || fail "$left is left behind"
done
echo "package check: passed"
