#!/usr/bin/env bash
# Builds Qt (Debian's qt6-base source) for 64-bit Windows with MinGW-w64, static, once, and keeps
# it outside the source tree. A later run finds it, checks its version and options and does
# nothing. Prints the Qt directory on its last line.
#
# Where: $KORVANE_QT_WINDOWS, by default ${XDG_CACHE_HOME:-~/.cache}/korvane/qt-6.4.2-mingw-static
# (cmake/qt-windows.cmake looks in the same place). Sources and build tree go to a directory
# beside it that is removed once Qt is installed (set KORVANE_QT_KEEP_WORK=1 to keep it).
#
# The source comes from the deb-src twin of the machine's own Debian entry, used for this one
# download only: apt reads it from a directory of ours, with lists of its own, and the machine's
# apt configuration and package lists stay as they are.
#
# Usage: scripts/build-qt-windows.sh [-j N]   (about 16 minutes on 2 idle cores)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

qt_version=6.4.2
jobs=$(nproc)
[ "${1:-}" = -j ] && jobs=$2

prefix=${KORVANE_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane/qt-$qt_version-mingw-static}
work=$prefix.work
stamp_name=korvane-qt-build.txt

# What the Qt below is made of; a cached Qt built otherwise is built again.
# Only what the program, its window tests and tools use is built: Core, Gui, Widgets, Network
# (https through Schannel) and Test, the windows and offscreen platforms, the Windows styles.
options=(
  -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
  -qt-host-path /usr -static -release -nomake examples -nomake tests
  -opengl no -no-dbus -no-vulkan -no-zstd -no-icu -no-openssl
  -no-feature-sql -no-feature-printsupport -no-feature-androiddeployqt
  # Debian's source lacks the header of the Windows tablet interface.
  -no-feature-tabletevent
  -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
  # Modules nothing links.
  -no-feature-concurrent -no-feature-xml
  # The direct2d platform plugin, which compiles the windows one a second time. The direct2d
  # feature itself stays: the windows platform's DirectWrite font engine depends on it.
  -no-feature-direct2d1_1
  # TUIO touch input over UDP, a plugin loaded only on request.
  -no-feature-tuiotouch
  # The program's pictures are PNGs in its resources; Windows takes the windows' icon from the
  # executable itself. Qt's own PNG, BMP and XPM readers stay.
  -no-libjpeg -no-gif -no-ico -no-feature-movie -no-feature-picture
  # Widgets and dialogs no window, test or tool has. Kept on purpose: the file and message
  # dialogs, the item views behind QTreeWidget and QComboBox, the Fusion style (the one of the
  # offscreen platform the window tests run on), QToolBar (Qt 6.4's widgets library does not
  # build without it), QTableView and QInputDialog (nor does its Windows style).
  -no-feature-graphicsview -no-feature-graphicseffect -no-feature-scroller
  -no-feature-calendarwidget -no-feature-datetimeedit -no-feature-dial -no-feature-lcdnumber
  -no-feature-mdiarea -no-feature-dockwidget -no-feature-toolbox
  -no-feature-commandlinkbutton -no-feature-keysequenceedit -no-feature-textbrowser
  -no-feature-tablewidget -no-feature-listwidget -no-feature-columnview
  -no-feature-datawidgetmapper -no-feature-undoview -no-feature-systemtrayicon
  -no-feature-fontcombobox -no-feature-fontdialog -no-feature-colordialog -no-feature-wizard
  -no-feature-errormessage -no-feature-progressdialog
  -no-feature-style-stylesheet
  # Text documents: only plain and HTML text is shown, nothing is edited with undo stacks or
  # written as ODF, Markdown or PDF.
  -no-feature-undocommand -no-feature-undostack -no-feature-undogroup
  -no-feature-syntaxhighlighter -no-feature-textodfwriter -no-feature-textmarkdownreader
  -no-feature-textmarkdownwriter -no-feature-pdf
  # Network: TCP, HTTP(S), proxies and TLS stay; the LAN check's datagrams go through its own
  # socket library, not Qt.
  -no-feature-udpsocket -no-feature-dnslookup -no-feature-localserver
  -no-feature-networkdiskcache
  # Core and Test: calendars other than the Gregorian one, shared memory between processes,
  # item model helpers nothing uses.
  -no-feature-jalalicalendar -no-feature-islamiccivilcalendar -no-feature-hijricalendar
  -no-feature-sharedmemory -no-feature-systemsemaphore
  -no-feature-identityproxymodel -no-feature-transposeproxymodel
  -no-feature-concatenatetablesproxymodel -no-feature-itemmodeltester
)
stamp="qt $qt_version ${options[*]}"

installed_version() {
  sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$prefix/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake" 2>/dev/null
}

if [ -f "$prefix/$stamp_name" ]; then
  if [ "$(installed_version)" = "$qt_version" ] && [ "$(cat "$prefix/$stamp_name")" = "$stamp" ]; then
    echo "Qt $qt_version for Windows is already built:"
    echo "$prefix"
    exit 0
  fi
  echo "The Qt in $prefix is another version or built otherwise; building it again."
fi

# Build needs: the MinGW compilers, the host's Qt tools of the same version (moc, rcc, uic),
# dpkg-source to unpack the source package.
scripts/install-deps.sh g++-mingw-w64-x86-64 qt6-base-dev-tools dpkg-dev perl

rm -rf "$work"
mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial"

# The deb-src twin of every Debian entry for this release, in either format.
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  awk -v RS= -v ORS='\n\n' -v suite="$codename" '
    /(^|\n)Types:[^\n]*deb/ && $0 ~ "(^|\n)Suites:[^\n]*[ \t]" suite "([ \t]|\n|$)" {
      n = split($0, line, "\n"); out = ""
      for (i = 1; i <= n; i++) {
        if (line[i] ~ /^#/) continue
        if (line[i] ~ /^Types:/) line[i] = "Types: deb-src"
        if (line[i] ~ /^Suites:/) line[i] = "Suites: " suite
        out = out line[i] "\n"
      }
      print out
    }' "$f" >> "$work/apt/sources.list.d/debian-src.sources"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -n "s/^deb\(\s.*\s$codename\s\)/deb-src\1/p" "$f" >> "$work/apt/sources.list.d/debian-src.list"
done
if ! grep -qs . "$work/apt/sources.list.d/"*; then
  echo "No Debian entry for $codename in /etc/apt to derive a source entry from." >&2
  exit 1
fi

apt_opts=(
  -o Dir::Etc::SourceList=/dev/null
  -o Dir::Etc::SourceParts="$work/apt/sources.list.d"
  -o Dir::State::Lists="$work/apt/lists"
  -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
)
apt-get "${apt_opts[@]}" update -qq
(cd "$work" && apt-get "${apt_opts[@]}" source -qq qt6-base)
src=$(ls -d "$work"/qt6-base-"$qt_version"*/ 2>/dev/null | head -n1)
if [ -z "$src" ] || [ ! -x "$src/configure" ]; then
  echo "apt-get source gave no qt6-base $qt_version." >&2
  exit 1
fi

mkdir -p "$work/build"
cd "$work/build"
"$src/configure" -prefix "$prefix" "${options[@]}" -- \
  -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
cmake --build . --parallel "$jobs"
rm -rf "$prefix"
cmake --install .
# Written last: an interrupted run leaves no Qt that passes the check above.
echo "$stamp" > "$prefix/$stamp_name"
cd "$repo"
[ "${KORVANE_QT_KEEP_WORK:-0}" = 1 ] || rm -rf "$work"
echo "Qt $qt_version for Windows built:"
echo "$prefix"
