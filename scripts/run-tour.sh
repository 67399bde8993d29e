#!/usr/bin/env bash
# Runs a ferrolin-script tour in a fresh program folder (the built pictures and task pack,
# an empty data folder), so tours never write into the build's own tasks folder.
# Usage: run-tour.sh GAME_DIR SCRIPT   (screenshots go where the script says, relative
# to the current folder). A game folder of the Windows build is run under Wine. A script whose first line is "# no pack" starts without the pack.
# "@TOUR@" in a script names the tour's own folder (program/, data/ and an empty class/).
# A script with the line "# tour tasks" gets the files ferrolin-tour-tasks makes (the
# program named by $FERROLIN_TOUR_TASKS) in that folder.
set -euo pipefail
game=$(readlink -f "$1")
script=$(readlink -f "$2")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/program/tasks" "$tmp/data" "$tmp/class"
ln -s "$game/textures" "$tmp/program/textures"
if [ "$(head -n 1 "$script")" != "# no pack" ]; then
  cp "$game"/tasks/*.dat "$tmp/program/tasks/" 2>/dev/null || true
fi
if grep -qx '# tour tasks' "$script"; then
  "${FERROLIN_TOUR_TASKS:?names the ferrolin-tour-tasks program}" "$tmp"
fi
{ echo "folder $tmp/program"; echo "data $tmp/data"; sed "s|@TOUR@|$tmp|g" "$script"; } > "$tmp/script.txt"
if [ -f "$game/ferrolin-script.exe" ]; then
  # The Windows build, under Wine.
  "$(dirname "$0")/wine-run.sh" "$game/ferrolin-script.exe" "$tmp/script.txt"
else
  "$game/ferrolin-script" "$tmp/script.txt"
fi
