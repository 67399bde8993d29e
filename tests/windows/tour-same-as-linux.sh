#!/usr/bin/env bash
# A ferrolin-script tour played by the Windows build under Wine leaves the same
# screenshots, pixel for pixel, as the Linux build's, and the same files.
#   tour-same-as-linux.sh LINUX_GAME_DIR WINDOWS_GAME_DIR TOUR WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
linux_game=$1
windows_game=$2
tour=$3
work=$4
rm -rf "$work"
mkdir -p "$work/linux/screens" "$work/windows/screens"
(cd "$work/linux" && SDL_VIDEODRIVER=dummy "$here/scripts/run-tour.sh" "$linux_game" "$tour" >log.txt 2>&1) ||
  { echo "FAIL the Linux build's tour failed"; cat "$work/linux/log.txt"; exit 1; }
(cd "$work/windows" && SDL_VIDEODRIVER=dummy "$here/scripts/run-tour.sh" "$windows_game" "$tour" >log.txt 2>&1) ||
  { echo "FAIL the Windows build's tour failed"; cat "$work/windows/log.txt"; exit 1; }

failures=0
count=0
cd "$work/linux"
while IFS= read -r -d '' file; do
  count=$((count + 1))
  other=$work/windows/$file
  if [ ! -f "$other" ]; then
    echo "FAIL $file: the Windows build did not write it"
    failures=$((failures + 1))
  elif [[ $file == *.png ]]; then
    differing=$(compare -metric AE "$file" "$other" null: 2>&1 >/dev/null || true)
    if [ "$differing" != 0 ]; then
      echo "FAIL $file: $differing pixels differ"
      compare "$file" "$other" "$work/${file//\//-}-difference.png" 2>/dev/null || true
      failures=$((failures + 1))
    fi
  elif ! cmp -s "$file" "$other"; then
    echo "FAIL $file: the files differ"
    failures=$((failures + 1))
  fi
done < <(find . -type f ! -name log.txt -printf '%P\0' | sort -z)
echo "$(basename "$tour"): $count files compared"
[ "$count" -gt 0 ] && [ "$failures" -eq 0 ]
