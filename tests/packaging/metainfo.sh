#!/usr/bin/env bash
# The software centre's description of the game: valid AppStream, its screenshots among the
# help page's pictures, its menu entry present and naming the window class.
#   metainfo.sh SOURCE_DIR
set -euo pipefail
src=$1
metainfo=$(ls "$src"/packaging/*.metainfo.xml)
desktop=$src/packaging/ferrolin.desktop
rc=0
appstreamcli validate --no-net "$metainfo" || rc=1
for image in $(sed -n 's|.*<image>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo"); do
  [ -f "$src/help/images/$image" ] || { echo "screenshot $image is not a picture of the help page"; rc=1; }
done
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ "$launchable" = "$(basename "$desktop")" ] || { echo "the metainfo launches '$launchable'"; rc=1; }
# The smoke test compares it with the class of the real window.
grep -q '^StartupWMClass=' "$desktop" || { echo "the menu entry names no window class"; rc=1; }
exit $rc
