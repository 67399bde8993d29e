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
ninja -C "$build" -j"${JOBS:-2}" ferrolin-script ferrolin-build-tasks ferrolin-solve textures
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

# The teacher's overview: more pupils of the class win into the same class folder, each
# from a data folder of their own, then the report is made and shown in a browser.
first="tap 35 70
tap 105 70
tap 480 355
wait 1200"
boatman="tap 35 70
tap 480 355
tap 655 185
tap 105 70
tap 480 355
tap 655 185
tap 175 70
tap 480 355
wait 1200"
wolf="drag 105 70 330 330
click 475 350
click 645 180
drag 35 70 330 330
click 475 350
drag 860 70 765 150
click 645 180
drag 325 320 100 200
drag 175 70 330 330
click 475 350
click 645 180
drag 105 70 330 330
click 475 350
wait 1200"
row() { printf 'key escape\nclick 520 73\nwait 300\nclick 518 %s\nclick 518 %s\nwait 300\n' "$1" "$1"; }
hint() { printf 'key h\nwait 300\n'; }
pupil() {  # NAME, then the script of their wins
  local name=$1 data=$work/pupil-$RANDOM
  shift
  mkdir -p "$data"
  { echo "folder prog"; echo "data $data"; echo "class class"
    printf 'click 520 73\nwait 300\ntype %s\nclick 464 462\nwait 100\n' "$name"
    printf '%s\n' "$@"; } > "$data/script.txt"
  (cd "$work" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy GSETTINGS_BACKEND=memory \
    "$game/ferrolin-script" "$data/script.txt")
}
pupil "Боря Иванов" "$(row 167)" "$first" "$(row 199)" "$boatman" "$(row 266)" "$wolf"
pupil "Вика Орлова" "$(row 167)" "$first" "$(row 199)" "$(hint)" "$boatman"
pupil "Гоша Петров" "$(row 167)" "$first"
pupil "Дина Ким" "$(row 167)" "$first" "$(row 199)" "$boatman" "$(row 266)" "$(hint)" "$(hint)" "$wolf"
HOME="$work" "$game/ferrolin-solve" --report "$work/class" -o "$work/class-results.html" >/dev/null
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/chromium" \
  --screenshot="$work/shots/class-results.png" --window-size=1280,640 \
  "file://$work/class-results.html" >/dev/null 2>&1

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
