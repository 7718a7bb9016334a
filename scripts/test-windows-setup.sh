#!/usr/bin/env bash
# Tries the Windows setup (build-windows-gui/korvane-<version>-windows-x64-setup.exe, made by
# `cpack -G NSIS`) under Wine, in a fresh prefix inside the build directory:
#   - renders the wizard's first page on an Xvfb display to docs/screenshots/windows-setup.png,
#   - installs silently (/S) and checks that it added the program's files in C:\Program Files\Korvane,
#     the Start menu shortcut and the uninstall entry (64-bit view, the version of CMakeLists.txt)
#     and nothing else, and asked netsh for the firewall rules of both programs,
#   - starts korvane.exe from there (it must keep running) and runs korvane-cli.exe on a fake
#     installation registered as the games register themselves,
#   - uninstalls silently and checks that everything the setup added is gone and nothing else, and
#     that it asked netsh to delete the rules,
#   - installs a setup of an older version (made here, with one file more) and this one over it:
#     the older version's files and entry must be gone.
# Called by scripts/test-windows-gui.sh, which builds everything and installs the packages.
# Usage: scripts/test-windows-setup.sh <build directory>
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C # one sort order for the listings compared below

build_dir=$(cd "$1" && pwd)
version=$(sed -n 's/^project(korvane VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
setup="$build_dir/korvane-$version-windows-x64-setup.exe"
[ -f "$setup" ] || { echo "no $setup" >&2; exit 1; }
fail() { echo "setup: $*" >&2; exit 1; }

. scripts/fresh-wine-prefix.sh "$build_dir/wineprefix-setup"
work="$build_dir/setup-check"
rm -rf "$work" && mkdir -p "$work"
app='C:\Program Files\Korvane'
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane'
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")

# The wizard's first page. Without a window manager Wine draws the title bar itself, in Tahoma
# with Marlett's buttons.
cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
wineserver -w # Wine's desktop, started without a display so far, must start again on Xvfb's
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  xdotool mousemove 1279 1023
  wine "$1" &
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Korvane $2 Setup\$" | head -1)
  sleep 3 # the page is drawn after its window appears
  [ -n "$window" ] && import -window "$window" "$3"
  wineserver -k' - "$setup" "$version" "$work/wizard.png" || true
[ -s "$work/wizard.png" ] || fail "the wizard did not appear"
cp "$work/wizard.png" docs/screenshots/windows-setup.png
echo "docs/screenshots/windows-setup.png"

# Wine's netsh keeps no firewall rules: a stand-in notes each command line it is given.
x86_64-w64-mingw32-gcc -O2 -municode -o "$work/netsh.exe" tests/windows/netsh_recorder.c
cp "$work/netsh.exe" "$WINEPREFIX/drive_c/windows/system32/netsh.exe"
export WINEDLLOVERRIDES="netsh.exe=n"
# In the temporary folder, which no snapshot lists.
netsh_log="$(winepath -u "$(wine cmd /c echo %TEMP% | tr -d '\r')")/netsh.log"
netsh_asked() { tr -d '\r' <"$netsh_log" 2>/dev/null; rm -f "$netsh_log"; }
rule='netsh advfirewall firewall add rule name="Korvane" dir=in action=allow profile=private'

# The player's world before Korvane is installed: the games, registered where their 32-bit
# installers write, and settings of an earlier Korvane in %APPDATA%\Korvane.
mkdir -p "$WINEPREFIX/drive_c/sample-settings"
wine "$build_dir/bin/korvane_sample_install.exe" 'C:\Games' 'C:\sample-settings' >/dev/null
wine reg add 'HKLM\Software\EA SPORTS\F1 2002' /v 'Install Dir' /d 'C:\Games\F1 2002' /f /reg:32 >/dev/null
wine reg add 'HKLM\Software\EA SPORTS\F1 Challenge 99-02' /v 'Install Dir' \
  /d 'C:\Games\F1 Challenge 99-02\' /f /reg:32 >/dev/null
mkdir -p "$appdata/Korvane"
printf '[config]\r\nlanguage=uk\r\n' >"$appdata/Korvane/korvane.ini"

# snapshot NAME: every file and folder below C:\ but the temporary folders, and every registry
# value of HKEY_LOCAL_MACHINE\Software and HKEY_CURRENT_USER with its key, one a line, but Wine's
# own (Software\Wine, where it notes the code page of the last program for its font cache).
# Elsewhere Wine changes values by itself at each start, such as the display driver's date.
snapshot() {
  wineserver -w # the registry files are written when the server ends
  (cd "$WINEPREFIX" && find drive_c -path '*/Temp' -prune -o -print | sort) >"$work/$1.files"
  (cd "$WINEPREFIX" && awk '/^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key); next }
       /^(#|$)/ { next }
       { print FILENAME ":" key " " $0 }' system.reg user.reg |
    grep -E '^(user\.reg|system\.reg:\[Software\\)' | grep -vE '^[a-z]+\.reg:\[Software\\\\Wine(\\|\])' |
    sort) >"$work/$1.registry"
}
# added OLD NEW KIND: the lines of NEW.KIND that OLD.KIND lacks
added() { comm -13 "$work/$1.$3" "$work/$2.$3"; }

snapshot before
status=0
wine "$setup" /S || status=$?
[ "$status" -eq 0 ] || fail "the silent install ended with status $status"
snapshot installed

added before installed files >"$work/setup.files"
added before installed registry >"$work/setup.registry"
cat "$work/setup.files" "$work/setup.registry"
sort >"$work/expected.files" <<'EOF'
drive_c/Program Files/Korvane
drive_c/Program Files/Korvane/README.txt
drive_c/Program Files/Korvane/Uninstall.exe
drive_c/Program Files/Korvane/korvane-cli.exe
drive_c/Program Files/Korvane/korvane.exe
drive_c/Program Files/Korvane/terea.ini
drive_c/Program Files/Korvane/terql.ini
drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvane.lnk
EOF
uninstall_key='system.reg:[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvane]'
sort >"$work/expected.registry" <<EOF
$uninstall_key "DisplayName"="Korvane"
$uninstall_key "DisplayVersion"="$version"
$uninstall_key "Publisher"="Korvane"
$uninstall_key "DisplayIcon"="C:\\\\Program Files\\\\Korvane\\\\korvane.exe,0"
$uninstall_key "InstallLocation"="C:\\\\Program Files\\\\Korvane"
$uninstall_key "UninstallString"="\\"C:\\\\Program Files\\\\Korvane\\\\Uninstall.exe\\""
$uninstall_key "QuietUninstallString"="\\"C:\\\\Program Files\\\\Korvane\\\\Uninstall.exe\\" /S"
$uninstall_key "NoModify"=dword:00000001
$uninstall_key "NoRepair"=dword:00000001
EOF
diff -u "$work/expected.files" "$work/setup.files" || fail "the setup added other files than these"
diff -u "$work/expected.registry" "$work/setup.registry" ||
  fail "the setup wrote other registry values than these"
wine reg query "$key" /reg:32 >/dev/null 2>&1 && fail "the uninstall entry is in the 32-bit view"
printf '%s program="C:\\Program Files\\Korvane\\%s" enable=yes\n' "$rule" korvane.exe "$rule" \
  korvane-cli.exe | diff -u - <(netsh_asked) || fail "the setup did not ask for these firewall rules"
echo "the setup asked netsh for the firewall rules of korvane.exe and korvane-cli.exe"

# The installed programs, as the player starts them.
status=0
WINEQT_QPA_PLATFORM=offscreen timeout 20 wine "$app\\korvane.exe" || status=$?
[ "$status" -eq 124 ] || fail "the installed korvane.exe ended with status $status instead of running"
echo "the installed korvane.exe starts under Wine"
# grip apply copies the grip table from beside korvane-cli.exe; status compares with it.
cli() { wine "$app\\korvane-cli.exe" "$@" | tr -d '\r'; }
cli grip apply --ea >"$work/grip" || { cat "$work/grip"; fail "korvane-cli.exe grip apply failed"; }
cli status >"$work/status" || { cat "$work/status"; fail "korvane-cli.exe status failed"; }
cat "$work/status"
grep -q '^F1 Challenge: original, fingerprint' "$work/status" || fail "status: F1 Challenge not found"
grep -q '^grip EA 2002: optimized, fingerprint' "$work/status" || fail "status: grip not applied"

# The uninstaller copies itself into the temporary folder, starts that copy and returns; the Wine
# server ends when the copy has finished. Afterwards everything that was there before the uninstall
# must still be there (the games with their backups, the settings), and nothing the setup added.
snapshot used
wine "$app\\Uninstall.exe" /S
snapshot removed
for kind in files registry; do
  comm -23 "$work/used.$kind" "$work/setup.$kind" >"$work/kept.$kind"
  diff -u "$work/kept.$kind" "$work/removed.$kind" ||
    fail "the uninstall left or removed other $kind than those the setup added"
done
grep -q '^language=uk' "$appdata/Korvane/korvane.ini" || fail "the uninstall changed the settings"
echo 'netsh advfirewall firewall delete rule name="Korvane"' | diff -u - <(netsh_asked) ||
  fail "the uninstall did not ask to delete the firewall rules"
echo "the uninstall removed everything the setup added, and nothing else"

# An update: a setup of an older version with a file that this one lacks, installed first.
mkdir -p "$work/older/files"
echo "a file of the older version only" >"$work/older/files/older-only.txt"
(cd "$build_dir" && cpack -G NSIS -B "$work/older" -D CPACK_PACKAGE_VERSION=0.0.1 \
  -D CPACK_PACKAGE_FILE_NAME=korvane-0.0.1-windows-x64 \
  -D "CPACK_INSTALLED_DIRECTORIES=$work/older/files;." -D CPACK_NSIS_COMPRESSOR=zlib >/dev/null)
wine "$work/older/korvane-0.0.1-windows-x64-setup.exe" /S
wineserver -w
[ -f "$WINEPREFIX/drive_c/Program Files/Korvane/older-only.txt" ] || fail "the older setup did not install"
wine "$setup" /S
wineserver -w
(cd "$WINEPREFIX/drive_c/Program Files/Korvane" && ls) >"$work/updated.files"
printf '%s\n' README.txt Uninstall.exe korvane-cli.exe korvane.exe terea.ini terql.ini |
  diff -u - "$work/updated.files" || fail "the update left other files than its own"
wine reg query "$key" /v DisplayVersion | tr -d '\r' | grep -q "REG_SZ *$version\$" ||
  fail "the update left the older version's entry"
wine "$app\\Uninstall.exe" /S
wineserver -w
[ ! -e "$WINEPREFIX/drive_c/Program Files/Korvane" ] || fail "the uninstall after the update left files"
echo "the setup replaces an older version"
# A prefix is some 700 MB; nothing needs this one afterwards (CI machines can be short of disk).
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
