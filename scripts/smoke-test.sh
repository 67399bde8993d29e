#!/usr/bin/env bash
# Starts the real game in a virtual display with a window manager, checks that it shows a
# frame with the menu on the background, closes its window and expects exit code 0.
# Usage: smoke-test.sh PATH/TO/ferrolin [SCREENSHOT.png]
set -euo pipefail
game=$(realpath -s "$1")   # a launcher link stays a link: the game resolves it itself
shot=${2:-$(mktemp --suffix=.png)}
# The desktop finds the window's menu entry by its class.
desktop=$(dirname "$(readlink -f "$0")")/../packaging/ferrolin.desktop
export GAME="$game" SHOT="$shot" CLASS="$(sed -n 's/^StartupWMClass=//p' "$desktop")"
exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -u
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$GAME" &
  pid=$!
  for _ in $(seq 100); do
    wmctrl -l 2>/dev/null | grep -q Ferrolin && break
    sleep 0.1
  done
  sleep 2   # the menu rolls down in about a third of a second
  import -window root "$SHOT"
  # The window covers the desktop: the frame must not be a black screen.
  mean=$(convert "$SHOT" -format "%[fx:int(mean*1000)]" info:)
  class=$(wmctrl -lx | awk "/Ferrolin/ {print \$3; exit}")
  wmctrl -c Ferrolin
  rc=0
  [ "${class#*.}" = "$CLASS" ] || { echo "smoke: window class \"$class\", the menu entry expects \"$CLASS\""; rc=1; }
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "smoke: the game did not end when its window was closed"; kill -9 $pid; rc=1; fi
  wait $pid; code=$?
  kill $wm 2>/dev/null
  echo "smoke: frame brightness $mean/1000, exit code $code"
  [ "$mean" -gt 100 ] || { echo "smoke: the frame is dark"; rc=1; }
  [ "$code" -eq 0 ] || rc=1
  exit $rc
'
