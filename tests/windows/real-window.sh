#!/usr/bin/env bash
# The real ferrolin.exe under Wine in a virtual display, unpacked into a folder whose path
# has Cyrillic letters and spaces, with a class folder named in Cyrillic that holds a task
# named in Cyrillic: it shows its first frame, opens the catalogue (which lists that task),
# and exits 0 when its window is closed.
#   real-window.sh WINDOWS_GAME_DIR WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
game=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
program="$work/Мои программы/Ferrolin"
class="$work/Класс 5Б"
mkdir -p "$program" "$class"
cp -r "$game/ferrolin.exe" "$game/textures" "$game/tasks" "$game/fonts" "$game/help" "$program/"
first=$(ls "$game"/tasks/_*.dat | head -n 1)
cp "$first" "$class/Моя задача.dat"
export PROGRAM="$program/ferrolin.exe" WORK="$work" WINE_RUN="$here/scripts/wine-run.sh"
export FERROLIN_CLASS_FOLDER="$class"
exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -u
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$WINE_RUN" "$PROGRAM" >"$WORK/log.txt" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    wmctrl -l 2>/dev/null | grep -q Ferrolin && break
    sleep 0.1
  done
  sleep 3
  import -window root "$WORK/first-frame.png"
  mean=$(convert "$WORK/first-frame.png" -format "%[fx:int(mean*1000)]" info:)
  # The menu item that opens the catalogue, in the 1024x768 picture letterboxed in 1280x800.
  geometry=$(xdotool search --name Ferrolin getwindowgeometry 2>/dev/null | sed -n "s/.*Geometry: //p" | head -n 1)
  xdotool mousemove $((128 + 520 * 1066 / 1024)) $((73 * 800 / 768)) click 1 2>/dev/null || true
  sleep 3
  import -window root "$WORK/catalogue.png"
  changed=$(compare -metric AE "$WORK/first-frame.png" "$WORK/catalogue.png" null: 2>&1 || true)
  wmctrl -c Ferrolin
  rc=0
  for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "real window: the game did not end when its window was closed"; kill -9 $pid; rc=1; fi
  wait $pid; code=$?
  kill $wm 2>/dev/null
  echo "real window: window $geometry, frame brightness $mean/1000, $changed pixels changed by the click, exit code $code"
  [ "$mean" -gt 100 ] || { echo "real window: the frame is dark"; rc=1; }
  [ "${changed:-0}" -gt 10000 ] 2>/dev/null || { echo "real window: the catalogue did not open"; rc=1; }
  [ "$code" -eq 0 ] || { echo "real window: exit code $code"; cat "$WORK/log.txt"; rc=1; }
  exit $rc
'
