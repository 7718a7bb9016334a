#!/usr/bin/env bash
# Cross-compiles the logic and its tests for 64-bit Windows with MinGW-w64 and runs them under
# Wine, headless, in a fresh Wine prefix inside the build directory. Then registers the games in
# another fresh prefix with Wine's own reg.exe and checks that the Linux korvane-cli finds them
# there: the registry reader must read what Wine really writes. Fails when anything fails.
# The Linux korvane-cli comes from build-ci/ when that is configured (CI), else from build/.
# Usage: scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh g++-mingw-w64-x86-64 wine wine64

build_dir="$PWD/build-windows"
cmake --preset windows
cmake --build --preset windows

. scripts/fresh-wine-prefix.sh "$build_dir/wineprefix"

ctest --preset windows

# korvane-cli.exe as a Windows player runs it: a fake installation under C:\Games, found through
# the registry where the games' 32-bit installers write it. A copy of the same installation is
# worked on by the Linux korvane-cli alongside: the texts and fingerprints must be the same, so
# that the PCs of a LAN party with both systems compare as equal.
linux_build=build-ci
[ -f "$linux_build/CMakeCache.txt" ] || { linux_build=build; cmake --preset default; }
cmake --build "$linux_build" --target korvane-cli korvane_sample_install
linux_cli="$PWD/$linux_build/bin/korvane-cli"
windows_cli="$build_dir/bin/korvane-cli.exe"

games="$WINEPREFIX/drive_c/Games"
copy="$build_dir/linux-copy"
rm -rf "$games" "$copy"
mkdir -p "$build_dir/sample-settings"
"$linux_build/bin/korvane_sample_install" "$games" "$build_dir/sample-settings" >/dev/null
cp -a "$games" "$copy"
wine reg add 'HKLM\Software\EA SPORTS\F1 2002' /v 'Install Dir' /d 'C:\Games\F1 2002' /f /reg:32 >/dev/null
wine reg add 'HKLM\Software\EA SPORTS\F1 Challenge 99-02' /v 'Install Dir' \
  /d 'C:\Games\F1 Challenge 99-02\' /f /reg:32 >/dev/null

fail() { echo "korvane-cli.exe: $*" >&2; exit 1; }
# run NAME EXPECTED-STATUS PROGRAM ARGS...: output (without CR) in $work/NAME
work="$build_dir/cli-check"
rm -rf "$work" && mkdir -p "$work"
run() {
  local name=$1 expected=$2 status=0
  shift 2
  "$@" >"$work/$name.raw" 2>&1 || status=$?
  tr -d '\r' <"$work/$name.raw" >"$work/$name"
  [ "$status" -eq "$expected" ] || { cat "$work/$name"; fail "$name: exit status $status, expected $expected"; }
}
# A lock of its own, so that a Korvane the developer has open does not refuse these runs.
mkdir -p "$work/run" && chmod 700 "$work/run"
on_linux=(env XDG_RUNTIME_DIR="$work/run" "$linux_cli" --f1-path "$copy/F1 2002"
  --f1c-path "$copy/F1 Challenge 99-02")

run detect 0 wine "$windows_cli" detect
grep -qxF 'F1Path: C:\Games\F1 2002\' "$work/detect" || { cat "$work/detect"; fail "detect: F1 2002 not found"; }
grep -qxF 'F1cPath: C:\Games\F1 Challenge 99-02\' "$work/detect" || fail "detect: F1 Challenge not found"
grep -qxF 'HasF1cQL2003: true' "$work/detect" || fail "detect: the 2003 cars not found"

run harmonize-win 0 wine "$windows_cli" --language de harmonize f1c --season 2002 --team Ferrari
run harmonize-linux 0 "${on_linux[@]}" --language de harmonize f1c --season 2002 --team Ferrari
grep -q '^Die Performance aller Teams' "$work/harmonize-win" || fail "harmonize: no German text"
diff -u "$work/harmonize-linux" "$work/harmonize-win" || fail "harmonize: other texts than on Linux"

run status-win 0 wine "$windows_cli" status
run status-linux 0 "${on_linux[@]}" status
grep -q '^F1 Challenge: harmonized to Ferrari 2002, fingerprint' "$work/status-win" || fail "status"
diff -u "$work/status-linux" "$work/status-win" || fail "status: other fingerprints than on Linux"

run unknown-team 2 wine "$windows_cli" harmonize f1c --season 2002 --team Nobody
run restore-win 0 wine "$windows_cli" --language de restore f1c
run restore-linux 0 "${on_linux[@]}" --language de restore f1c
diff -u "$work/restore-linux" "$work/restore-win" || fail "restore: other texts than on Linux"
run status-restored 0 wine "$windows_cli" status
grep -q '^F1 Challenge: original' "$work/status-restored" || fail "restore f1c left the game changed"

# The LAN check across the two builds over the loopback: korvane-cli.exe shares its report, the
# Linux korvane-cli finds it, compares its own copy of the same installation with it (the same
# fingerprint, all the same) and the Windows host prints the verdict.
: >"$work/share.raw" # there before the loop below reads it
wine "$windows_cli" share --port 0 --seconds 120 >"$work/share.raw" 2>&1 &
share_pid=$!
port=""
for _ in $(seq 150); do
  port="$(tr -d '\r' <"$work/share.raw" | sed -n 's/.* on port \([0-9]*\) .*/\1/p')"
  [ -n "$port" ] && break
  sleep 0.2
done
[ -n "$port" ] || { cat "$work/share.raw"; fail "share: no port announced"; }
run hosts 0 "$linux_cli" hosts --to 127.0.0.1 --port "$port"
fingerprint="$("${on_linux[@]}" status --json | sha256sum | cut -c1-12)"
grep -q "(this PC, 127.0.0.1): Korvane .*, report fingerprint $fingerprint\$" "$work/hosts" \
  || { cat "$work/hosts"; fail "hosts: not found with the Linux copy's fingerprint $fingerprint"; }
run verify-host 0 "${on_linux[@]}" verify --host 127.0.0.1 --port "$port"
for _ in $(seq 50); do
  grep -q '(127.0.0.1): same' "$work/share.raw" && break
  sleep 0.2
done
# A car mod's file on the Linux copy only: the Windows host hands out the folder's list of files,
# and the guest names the file by its folder.
echo "mod" >"$copy/F1 2002/season02/vehicles/Bar/Bar.gmt"
run verify-mod 1 "${on_linux[@]}" verify --host 127.0.0.1 --port "$port"
rm "$copy/F1 2002/season02/vehicles/Bar/Bar.gmt"
grep -qxF '    Bar.gmt: here only' "$work/verify-mod" || { cat "$work/verify-mod"; fail "verify: the mod's file not named"; }
kill "$share_pid" 2>/dev/null || true
wait "$share_pid" 2>/dev/null || true
grep -q '(127.0.0.1): same' "$work/share.raw" || { cat "$work/share.raw"; fail "share: no verdict"; }
echo "korvane-cli.exe shares, the Linux korvane-cli finds it and verifies against it:"
tr -d '\r' <"$work/share.raw"
cat "$work/hosts" "$work/verify-mod"

rm -f "$build_dir"/korvane-cli-*-windows-x64.zip
(cd "$build_dir" && cpack -G ZIP >/dev/null)
ls "$build_dir"/korvane-cli-*-windows-x64.zip
echo "korvane-cli.exe under Wine: passed"

# A 64-bit prefix where F1 2002 is registered in the 32-bit view, as its 32-bit installer does,
# and F1 Challenge in the native view; both texts end in a backslash.
. scripts/fresh-wine-prefix.sh "$build_dir/wineprefix-games"
wine reg add 'HKLM\Software\EA SPORTS\F1 2002' /v 'Install Dir' /d 'C:\Games\F1 2002\' /f /reg:32
wine reg add 'HKLM\Software\EA SPORTS\F1 Challenge 99-02' /v 'Install Dir' \
    /d 'C:\Games\F1 Challenge 99-02\' /f
wineserver -w # the registry reaches system.reg when the server ends
games="$WINEPREFIX/drive_c/Games"
mkdir -p "$games/F1 2002" "$games/F1 Challenge 99-02"
echo "fake game" >"$games/F1 2002/F1_2002.exe"
echo "fake game" >"$games/F1 Challenge 99-02/F1 Challenge 99-02.exe"

# A home of its own: no prefix or settings file of the user's can take part.
home="$build_dir/wine-check-home"
rm -rf "$home"
mkdir -p "$home"
found="$(env -i HOME="$home" WINEPREFIX="$WINEPREFIX" "$linux_cli" detect --all)"
expected="$(printf '%s\tF1 2002\t%s\n%s\tF1 Challenge 99-02\t%s' \
    "$WINEPREFIX" "$games/F1 2002/\\" "$WINEPREFIX" "$games/F1 Challenge 99-02/")"
if [ "$found" != "$expected" ]; then
    printf 'korvane-cli detect --all found\n%s\ninstead of\n%s\n' "$found" "$expected" >&2
    exit 1
fi
echo "korvane-cli finds both games in the prefix that Wine registered them in."
# A prefix is some 700 MB; nothing needs this one afterwards (CI machines can be short of disk).
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
