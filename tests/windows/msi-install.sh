#!/usr/bin/env bash
# The MSI installs silently under Wine for the whole computer: the program folder in
# Program Files, the Start menu shortcut, the shared data folder and the entry to
# uninstall; removing it takes the program away again.
#   msi-install.sh PACKAGE.msi WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
msi=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$2"
work=$(cd "$2" && pwd)
# A computer of its own, so the other tests' prefix stays as it is.
export WINEPREFIX=$work/prefix
rm -rf "$WINEPREFIX"
run() { "$here/scripts/wine-run.sh" "$@"; }
drive=$WINEPREFIX/drive_c
failures=0
check() {  # check WHAT TEST...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

# What Windows reads: a per-machine install, the shortcut with the game's icon.
tables=$work/tables
mkdir -p "$tables"
(cd "$tables" && msidump -t "$msi" >/dev/null)
check "installed for every user" grep -qP '^ALLUSERS\t1' "$tables/Property.idt"
check "the shortcut has the icon" grep -qP '^FerrolinShortcut\t.*ferrolin\.ico' "$tables/Shortcut.idt"

run msiexec /i "$(run winepath -w "$msi" 2>/dev/null | tr -d '\r')" /qn
check "the game in Program Files" test -f "$drive/Program Files/Ferrolin/ferrolin.exe"
has_pack() { compgen -G "$drive/Program Files/Ferrolin/tasks/_*.dat" >/dev/null; }
check "the task pack beside it" has_pack
check "the fonts beside it" test -f "$drive/Program Files/Ferrolin/fonts/DejaVuSans.ttf"
# Windows puts it in every user's menu; Wine's installer in the installing user's.
shortcut() { find "$drive/ProgramData" "$drive/users" -path '*Start Menu/Programs/Ferrolin.lnk' | grep -q .; }
check "the Start menu shortcut" shortcut
check "the shared data folder" test -d "$drive/ProgramData/Calcora/Ferrolin"
uninstall=$(run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r')
check "the entry to uninstall" grep -q "DisplayName.*Ferrolin" <<<"$uninstall"

run msiexec /x "$(run winepath -w "$msi" 2>/dev/null | tr -d '\r')" /qn
check "uninstalling removes the game" test ! -e "$drive/Program Files/Ferrolin/ferrolin.exe"
no_shortcut() { ! shortcut; }
check "uninstalling removes the shortcut" no_shortcut
"$here/scripts/wine-run.sh" wineboot --shutdown >/dev/null 2>&1 || true
[ "$failures" -eq 0 ]
