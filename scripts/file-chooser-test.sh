#!/usr/bin/env bash
# Starts the real game in a virtual display with a window manager, opens "Загрузить
# решение" and checks that the file chooser is a modal window transient for the game's
# window, so the window manager keeps it above the game and gives it the keyboard back.
# Usage: file-chooser-test.sh PATH/TO/ferrolin [SCREENSHOT.png]
set -euo pipefail
if [ -z "${FERROLIN_IN_DESKTOP:-}" ]; then
  export GAME=$(realpath -s "$1") SHOT=${2:-$(mktemp --suffix=.png)} FERROLIN_IN_DESKTOP=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0"
fi

# The id of the first window whose title matches, waiting up to ten seconds.
window_titled() {
  local id=""
  for _ in $(seq 100); do
    id=$(wmctrl -l 2>/dev/null | grep "$1" | cut -d " " -f 1 | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}

openbox >/dev/null 2>&1 &
wm=$!
sleep 1
"$GAME" &
pid=$!
window_titled Ferrolin >/dev/null
sleep 2   # the menu rolls down
# Asked only now: the game may have made its window again while choosing a renderer.
game=$(window_titled Ferrolin)
# "Загрузить решение", the menu row at (520, 247) of the 1024 x 768 screen, scaled to
# 800 lines and centred on 1280 columns.
xdotool mousemove 649 257 click 1
dialog=$(window_titled "Загрузить решение")
sleep 1
import -window root "$SHOT"
rc=0
if [ -z "$dialog" ]; then
  echo "file chooser: no dialog appeared"
  rc=1
else
  parent=$(xprop -id "$dialog" WM_TRANSIENT_FOR | grep -o "0x[0-9a-f]*" || true)
  state=$(xprop -id "$dialog" _NET_WM_STATE || true)
  echo "file chooser: game $game, transient for ${parent:-nothing}; $state"
  [ -n "$parent" ] && [ $((parent)) -eq $((game)) ] || { echo "file chooser: not transient for the game"; rc=1; }
  echo "$state" | grep -q _NET_WM_STATE_MODAL || { echo "file chooser: not modal"; rc=1; }
  xdotool key --window "$dialog" Escape || true
fi
sleep 1
wmctrl -c Ferrolin || true
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -9 $pid 2>/dev/null || true
kill $wm 2>/dev/null || true
exit $rc
