#!/usr/bin/env bash
# Installs the build under a fresh prefix, as `cmake --install` does for a user, and checks
# the program folder, the launcher, the menu entry, the software centre's metainfo and the
# icons; with a smoke-test script given, starts the game through the launcher on the PATH
# in a virtual display.
#   install-layout.sh BUILD_DIR [SMOKE_TEST_SCRIPT SCREENSHOT.png]
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
rc=0
missing() { echo "missing: $1"; rc=1; }

program=$prefix/lib/ferrolin
[ -x "$program/ferrolin" ] || missing "$program/ferrolin"
[ -L "$prefix/bin/ferrolin" ] || missing "the launcher $prefix/bin/ferrolin"
[ -x "$prefix/bin/ferrolin-solve" ] || missing "the solution checker $prefix/bin/ferrolin-solve"
[ "$(readlink -f "$prefix/bin/ferrolin")" = "$(readlink -f "$program/ferrolin")" ] ||
  { echo "the launcher does not lead to the program folder"; rc=1; }
for f in textures/background.tga textures/mainmenu.tga textures/CREDITS.md help/index.html; do
  [ -f "$program/$f" ] || missing "$program/$f"
done
ls "$program"/textures/unit_*_small.tga >/dev/null 2>&1 || missing "character pictures"
ls "$program"/tasks/_*.dat >/dev/null 2>&1 || missing "the task pack"
[ -z "$(find "$program" -name 'ferrolin-*')" ] || { echo "tools or test runners were installed"; rc=1; }
desktop=$prefix/share/applications/ferrolin.desktop
if [ -f "$desktop" ]; then
  grep -qx 'Exec=ferrolin' "$desktop" || { echo "the menu entry does not start the launcher"; rc=1; }
  grep -qx 'Icon=ferrolin' "$desktop" || { echo "the menu entry has no icon"; rc=1; }
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate --no-hints "$desktop" || rc=1
  fi
else
  missing "$desktop"
fi
metainfo=$prefix/share/metainfo/example.calcora.ferrolin.metainfo.xml
[ -f "$metainfo" ] || missing "$metainfo"
for size in 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/ferrolin.png
  if [ -f "$icon" ]; then
    [ "$(identify -format %wx%h "$icon")" = "${size}x${size}" ] || { echo "$icon has the wrong size"; rc=1; }
  else
    missing "$icon"
  fi
done
[ "$rc" -eq 0 ] || exit 1
echo "installed layout complete under $prefix"

if [ $# -ge 3 ]; then
  # The launcher is found on the PATH, and the game must find its pictures through it.
  PATH="$prefix/bin:$PATH" "$2" "$(PATH="$prefix/bin:$PATH" command -v ferrolin)" "$3"
fi
