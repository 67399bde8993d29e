#!/usr/bin/env bash
# Checks the Debian package the way a user meets it, on this machine (as root):
#   - installs it with apt-get and checks the files, the launcher and the menu entry;
#   - as an ordinary user, starts the game from its menu entry in a virtual display,
#     presses Help (the page must reach the desktop's HTML opener), composes a task in the
#     editor (it must land in the user's data folder, the installed "tasks" folder being
#     read-only) and scrolls the catalogue to it;
#   - removes the package with --purge and checks that none of its files stay behind.
# It changes the system: the package "ferrolin" and a temporary user "ferrolin-check"
# exist while it runs and are removed at the end. Needs xvfb, openbox, wmctrl, xdotool,
# ImageMagick and, for a picture of the opened help page, chromium.
#
#   scripts/check-package.sh PATH/TO/ferrolin_VERSION_ARCH.deb [SCREENSHOT_DIR]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PACKAGE.deb [SCREENSHOT_DIR]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root" >&2; exit 2; }
deb=$(readlink -f "$1")
shots=$(mkdir -p "${2:-/tmp/ferrolin-package-check}" && cd "${2:-/tmp/ferrolin-package-check}" && pwd)
user=ferrolin-check
home=/home/$user
fail() { echo "check-package: $*" >&2; exit 1; }

if dpkg-query -W -f='${Status}' ferrolin 2>/dev/null | grep -q "install ok installed"; then
  fail "ferrolin is installed already; remove it first"
fi
id "$user" >/dev/null 2>&1 && fail "the user $user exists already"

# userdel refuses while the user's last processes (the help page's renderer) end.
remove_user() {
  for _ in $(seq 30); do
    id "$user" >/dev/null 2>&1 || return 0
    userdel -r "$user" >/dev/null 2>&1 && return 0
    sleep 1
  done
  return 1
}
cleanup() {
  remove_user || true
  if dpkg-query -W ferrolin >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq ferrolin >/dev/null 2>&1 || true
  fi
}
trap cleanup EXIT

echo "== installing $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
files=$(dpkg -L ferrolin)

echo "== files"
[ "$(command -v ferrolin)" = /usr/bin/ferrolin ] || fail "ferrolin is not on the PATH"
[ "$(readlink -f /usr/bin/ferrolin)" = /usr/lib/ferrolin/ferrolin ] || fail "the launcher does not lead to /usr/lib/ferrolin/ferrolin"
for f in textures/background.tga textures/unit_wolf.tga textures/unit_wolf_small.tga help/index.html help/images/play.png; do
  [ -f "/usr/lib/ferrolin/$f" ] || fail "/usr/lib/ferrolin/$f is missing"
done
tasks=$(find /usr/lib/ferrolin/tasks -name '_*.dat' | wc -l)
[ "$tasks" -gt 0 ] || fail "no tasks in /usr/lib/ferrolin/tasks"
for size in 48 64 128 256; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/ferrolin.png
  [ "$(identify -format %wx%h "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done
desktop=/usr/share/applications/ferrolin.desktop
grep -q '^Name\[ru\]=Ферролин$' "$desktop" || fail "the menu entry has no Russian name"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
metainfo=/usr/share/metainfo/example.calcora.ferrolin.metainfo.xml
[ -f "$metainfo" ] || fail "no software centre metainfo"
if command -v appstreamcli >/dev/null; then appstreamcli validate --no-net "$metainfo" >/dev/null; fi
echo "$tasks tasks, icons, menu entry, metainfo and launcher in place"

echo "== playing as $user"
useradd -m -s /bin/bash "$user"
# The desktop's opener for HTML: a recorder that notes the path and, where chromium is
# installed, renders the page as a browser would.
mkdir -p "$home/.local/share/applications" "$home/.config" "$home/bin"
cat >"$home/bin/open-html" <<EOF
#!/bin/sh
echo "\$1" >"$home/opened.txt"
if command -v chromium >/dev/null; then
  chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \\
    --user-data-dir="\$(mktemp -d)" --window-size=1280,900 --screenshot="$home/help-page.png" "file://\$1" >/dev/null 2>&1
fi
EOF
chmod +x "$home/bin/open-html"
cat >"$home/.local/share/applications/open-html.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=Open HTML
Exec=$home/bin/open-html %f
MimeType=text/html;
NoDisplay=true
EOF
printf '[Default Applications]\ntext/html=open-html.desktop\n' >"$home/.config/mimeapps.list"

# The menu entry's command, run the way a desktop runs it. The screen is the game's own
# size, so screen and game coordinates are the same.
cat >"$home/session.sh" <<'EOF'
set -u
shots=$1
click() { xdotool mousemove "$1" "$2" sleep 0.2 click 1; sleep "${3:-0.5}"; }
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
command=$(sed -n 's/^Exec=//p' /usr/share/applications/ferrolin.desktop)
$command &
game=$!
for _ in $(seq 100); do wmctrl -l 2>/dev/null | grep -q Ferrolin && break; sleep 0.1; done
sleep 2
import -window root "$shots/menu.png"
click 520 305 3                      # Help
xdotool key Escape; sleep 1
click 520 131 4                      # Task editor: the text boxes come after a second
xdotool type --delay 60 "Package check"
sleep 0.5
import -window root "$shots/editor-title.png"
for step in 1 2 3 4 5; do click 910 687 2.5; done
click 910 687 1                      # Done
import -window root "$shots/editor-saved.png"
xdotool key Escape; sleep 1
click 520 73 1.5                     # Task catalogue, scrolled to its end
xdotool mousemove 521 508 sleep 0.2 mousedown 1 sleep 8 mouseup 1
sleep 0.5
import -window root "$shots/catalogue-end.png"
wmctrl -c Ferrolin
for _ in $(seq 100); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
kill -0 $game 2>/dev/null && { kill -9 $game; echo "the game did not end with its window"; exit 1; }
wait $game; code=$?
kill $wm 2>/dev/null
echo "the game ended with exit code $code"
exit $code
EOF
chown -R "$user:$user" "$home"
chmod 777 "$shots"
runuser -u "$user" -- env -i HOME="$home" USER="$user" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 \
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$home/session.sh" "$shots"

[ "$(cat "$home/opened.txt" 2>/dev/null)" = /usr/lib/ferrolin/help/index.html ] ||
  fail "Help did not open /usr/lib/ferrolin/help/index.html (opened: $(cat "$home/opened.txt" 2>/dev/null))"
[ -f "$home/help-page.png" ] && cp "$home/help-page.png" "$shots/"
saved="$home/.local/share/Calcora/Ferrolin/_5061636b61676520636865636b.dat"
[ -f "$saved" ] || fail "the composed task is not in the data folder"
[ "$(find /usr/lib/ferrolin/tasks -name '_*.dat' | wc -l)" -eq "$tasks" ] || fail "the task went into the installed tasks folder"
echo "help opened, task saved in the data folder; screenshots in $shots"

echo "== removing"
remove_user || fail "the user $user cannot be removed"
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq ferrolin >/dev/null
! dpkg-query -W ferrolin >/dev/null 2>&1 || fail "dpkg still knows the package"
left=0
while read -r path; do
  case "$path" in
    /usr/lib/ferrolin* | /usr/bin/ferrolin | */ferrolin.desktop | */ferrolin.png | *.metainfo.xml)
      if [ -e "$path" ] || [ -L "$path" ]; then echo "left behind: $path"; left=1; fi ;;
  esac
done <<<"$files"
[ "$left" -eq 0 ] || fail "files stayed behind"
echo "removed cleanly"
