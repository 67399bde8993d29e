#!/usr/bin/env bash
# The portable zip unpacked into a folder whose path has Cyrillic letters and spaces:
# ferrolin-solve.exe solves a task named in Cyrillic there, ferrolin-script.exe takes a
# screenshot into a Cyrillic file name, and the real ferrolin.exe under Wine in a virtual
# display, with a class folder named in Cyrillic, shows its first frame, opens the
# catalogue, which asks the pupil's name first (a class folder is set), keeps the name
# given in the account's own folder, and exits 0 when its window is closed.
#   real-window.sh PACKAGE.zip WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
work=$(cd "$2" && pwd)
rm -rf "${work:?}"/*
unpacked="$work/Мои программы"
class="$work/Класс 5Б"
mkdir -p "$unpacked" "$class"
(cd "$unpacked" && cmake -E tar xf "$zip")
program=$(find "$unpacked" -mindepth 1 -maxdepth 1 -type d | head -n 1)
# A glob, not ls | head: the pack's listing outgrew a pipe's buffer, and head leaving early
# ended ls with SIGPIPE, which pipefail took for a failure.
tasks=("$program"/tasks/_*.dat)
first=${tasks[0]}
cp "$first" "$class/Моя задача.dat"

# The console programs.
solved=$("$here/scripts/wine-run.sh" "$program/ferrolin-solve.exe" "$class/Моя задача.dat" | tr -d '\r')
grep -q "^crossings: " <<<"$solved" || { echo "FAIL ferrolin-solve.exe: $solved"; exit 1; }
printf 'folder %s\ndata %s\nshot %s\n' "$program" "$work" "$work/Снимок экрана.png" >"$work/script.txt"
"$here/scripts/wine-run.sh" "$program/ferrolin-script.exe" "$work/script.txt"
[ -s "$work/Снимок экрана.png" ] || { echo "FAIL ferrolin-script.exe wrote no screenshot"; exit 1; }
echo "real window: ferrolin-solve.exe and ferrolin-script.exe work from $program"
# The pupil's name is kept in the account's roaming folder of the Wine prefix: taken away,
# so that the catalogue asks for it as on a pupil's first start.
appdata=$("$here/scripts/wine-run.sh" cmd /c echo %APPDATA% | tr -d '\r')
roaming=$("$here/scripts/wine-run.sh" winepath -u "$appdata" | tr -d '\r')
export PUPIL="$roaming/Calcora/Ferrolin/pupil.txt"
rm -f "$PUPIL"
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
  # The menu item that opens the catalogue (520, 73 in the 1024x768 picture of the game), the
  # picture scaled to the 800 rows of the screen and centred.
  geometry=$(xdotool search --name Ferrolin getwindowgeometry 2>/dev/null | sed -n "s/.*Geometry: //p" | head -n 1)
  xdotool mousemove $(((1280 - 1024 * 800 / 768) / 2 + 520 * 800 / 768)) $((73 * 800 / 768)) click 1 2>/dev/null || true
  sleep 3
  import -window root "$WORK/name-form.png"
  changed=$(compare -metric AE "$WORK/first-frame.png" "$WORK/name-form.png" null: 2>&1 || true)
  asked=$(grep -c "^confirmed=1" "$PUPIL" 2>/dev/null || true)
  # The account'"'"'s name stands in the field: Enter takes it and shows the catalogue.
  xdotool key Return 2>/dev/null || true
  sleep 3
  import -window root "$WORK/catalogue.png"
  name=$(sed -n "s/^name=//p" "$PUPIL" 2>/dev/null || true)
  kept=$(grep -c "^confirmed=1" "$PUPIL" 2>/dev/null || true)
  wmctrl -c Ferrolin
  rc=0
  for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "real window: the game did not end when its window was closed"; kill -9 $pid; rc=1; fi
  wait $pid; code=$?
  kill $wm 2>/dev/null
  echo "real window: window $geometry, frame brightness $mean/1000, $changed pixels changed by the click, pupil \"$name\", exit code $code"
  [ "$mean" -gt 100 ] || { echo "real window: the frame is dark"; rc=1; }
  [ "${changed:-0}" -gt 10000 ] 2>/dev/null || { echo "real window: the click showed nothing new"; rc=1; }
  [ "${asked:-0}" = 0 ] || { echo "real window: the pupil was taken as known before being asked"; rc=1; }
  [ "${kept:-0}" = 1 ] && [ -n "$name" ] || { echo "real window: the catalogue did not ask the pupil'"'"'s name, or the name was not kept in $PUPIL"; rc=1; }
  [ "$code" -eq 0 ] || { echo "real window: exit code $code"; cat "$WORK/log.txt"; rc=1; }
  exit $rc
'
