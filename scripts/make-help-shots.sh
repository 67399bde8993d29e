#!/usr/bin/env bash
# Remakes the screenshots of the help page (help/images/*.png) from the real screens:
# builds ferrolin-script, plays scripts/help-shots.txt headless and scales the frames
# down for the page.
#
#   scripts/make-help-shots.sh [BUILD_DIR]      (default: build)
#
# The game runs on a copy of the program folder and a fresh data folder, so the task the
# script composes in the editor lands in neither the build nor the user's files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac
width=${HELP_SHOT_WIDTH:-800}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROLIN_TESTS=OFF >/dev/null
fi
ninja -C "$build" -j"${JOBS:-2}" ferrolin-script ferrolin-build-tasks textures
game=$build/game

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prog" "$work/data" "$work/class" "$work/shots"
ln -s "$game/textures" "$work/prog/textures"
# The pack straight from its sources: a build's task folder may hold tasks saved there.
"$game/ferrolin-build-tasks" "$root/tasks-src" "$work/prog/tasks" >/dev/null

# A task the script loads by file name must still be in the pack: otherwise the game
# would only show its error message and the pictures would silently go wrong.
grep -o '^choose prog/tasks/[^ ]*' "$root/scripts/help-shots.txt" | cut -d' ' -f2 |
  while read -r task; do
    [ -f "$work/$task" ] || { echo "$0: $task is not in the task pack" >&2; exit 1; }
  done

# The work folder stands in for the home folder, so the folder the editor names after
# saving reads "~/class" in the pictures rather than a temporary path.
(cd "$work" && HOME="$work" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy GSETTINGS_BACKEND=memory \
  "$game/ferrolin-script" "$root/scripts/help-shots.txt")

mkdir -p "$root/help/images"
count=0
for shot in "$work"/shots/*.png; do
  name=$(basename "$shot")
  # 256 colours keep the pictures small; the game's own art has few gradients.
  convert "$shot" -resize "${width}x" -strip -dither None -colors 256 "PNG8:$root/help/images/$name"
  count=$((count + 1))
done

# The three rule signs of the editor's rule table, at twice their size in the game.
rsvg-convert -w 150 -h 50 "$root/art/ui/signs.svg" -o "$work/signs.png"
kinds=(together more notless)
for k in 0 1 2; do
  convert "$work/signs.png" -crop "50x50+$((k * 50))+0" +repage -strip \
    "PNG32:$root/help/images/sign-${kinds[$k]}.png"
  count=$((count + 1))
done
echo "$count pictures in $root/help/images ($(du -sh "$root/help/images" | cut -f1))"
