#!/usr/bin/env bash
# Renders the help page in headless Chromium, as a browser on a laptop screen shows it,
# and checks that a picture came out with something on it and that the page logged
# nothing to the console.
#   help-render.sh CHROMIUM PAGE SCREENSHOT.png
set -euo pipefail
chromium=$1
page=$(readlink -f "$2")
shot=$3
profile=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$profile" "$log"' EXIT
rm -f "$shot"
"$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$profile" --enable-logging=stderr --v=0 \
  --screenshot="$shot" --window-size=1280,900 "file://$page" >"$log" 2>&1 || {
  cat "$log"; echo "chromium failed"; exit 1; }
[ -s "$shot" ] || { cat "$log"; echo "no screenshot was written"; exit 1; }
rc=0
if grep ':CONSOLE' "$log"; then echo "the page wrote to the console"; rc=1; fi
size=$(identify -format '%wx%h' "$shot")
[ "$size" = 1280x900 ] || { echo "the screenshot is $size"; rc=1; }
# A blank page is one flat colour; the heading band, text and pictures vary a lot.
spread=$(convert "$shot" -colorspace Gray -format '%[fx:int(standard_deviation*1000)]' info:)
colours=$(convert "$shot" -format '%k' info:)
echo "help page: $size, grey spread $spread/1000, $colours colours"
[ "$spread" -gt 50 ] && [ "$colours" -gt 200 ] || { echo "the screenshot looks blank"; rc=1; }
exit $rc
