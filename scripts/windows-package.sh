#!/usr/bin/env bash
# Packs the Windows build for schools: a portable zip (unzip anywhere and run) and an MSI
# for installing on every computer of a classroom.
#   scripts/windows-package.sh BUILD_DIR DIST_DIR
# leaves DIST_DIR/ferrolin-VERSION-windows-x64.zip and .msi.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
dist=$(cd "$2" && pwd)
game=$build/game
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "windows-package: no version in $build/CMakeCache.txt" >&2; exit 1; }
name=ferrolin-$version-windows-x64
stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage/tasks"

# The program folder as the game finds it beside its executable; only the task pack, not
# tasks saved into the build folder while trying the game out.
cp "$game/ferrolin.exe" "$game/ferrolin-solve.exe" "$stage/"
cp -r "$game/textures" "$game/help" "$game/fonts" "$stage/"
cp "$game"/tasks/_*.dat "$stage/tasks/"
cp "$here/README.md" "$stage/README.md"

# The installer's files, before the portable extras join the stage.
find "$stage" -type f -printf '%P\n' | sort >"$build/package/msi-files.txt"
# wixl takes the files' paths relative to the folder it runs in.
cp "$build/windows/ferrolin.ico" "$here/packaging/windows/ferrolin.wxs" "$build/package/"
(cd "$build/package" &&
  sed "s|^|$name/|" msi-files.txt |
    wixl-heat -p "$name/" --directory-ref INSTALLDIR --component-group ProgramFiles \
      --var var.SourceDir --win64 >files.wxs &&
  wixl -a x64 -D Version="$version" -D SourceDir="$name" -D Win64=yes -D Icon=ferrolin.ico \
    -o "$dist/$name.msi" ferrolin.wxs files.wxs 2> >(grep -v -e GLib-GObject-WARNING -e '^$' >&2))

# The portable zip also has the scripted runner for a teacher's own screenshots.
cp "$game/ferrolin-script.exe" "$stage/"
rm -f "$dist/$name.zip"
(cd "$build/package" && cmake -E tar cf "$dist/$name.zip" --format=zip "$name")
echo "windows-package: $dist/$name.zip ($(du -k "$dist/$name.zip" | cut -f1) KB)," \
  "$dist/$name.msi ($(du -k "$dist/$name.msi" | cut -f1) KB)"
