#!/usr/bin/env bash
# ferrolin-solve.exe under Wine prints what the Linux build prints, for every task of the
# pack and for a check of a folder of solutions, and saves byte-identical solutions; each
# build checks the other's solution files.
#   solve-same-as-linux.sh LINUX_GAME_DIR WINDOWS_GAME_DIR WORK_DIR
# Windows shows paths with its own separator and ends lines with CR LF; both are
# compared as Linux writes them. Lines of Wine's own ("wine: ...") are left out and shown
# as notes: Wine's services (winedevice.exe, its driver host, among them) inherit the
# standard error of the run that started them, and one that faults says so there, in
# any line; its debugger writes to the service's standard output, /dev/null. A fault of
# the program itself still fails: its exit code differs, and the debugger's report
# lands in the program's output.
set -euo pipefail
linux=$(cd "$1" && pwd)/ferrolin-solve
windows=$(cd "$2" && pwd)/ferrolin-solve.exe
mkdir -p "$3"
work=$(cd "$3" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
run_windows() { "$here/scripts/wine-run.sh" "$windows" "$@"; }
as_linux() { tr -d '\r' | tr '\\' '/'; }
without_wine() {  # WINDOWS_OUTPUT COMPARED_OUTPUT WHAT_RAN
  sed '/^wine: /d' "$1" >"$2"
  sed -n "s|^wine: |note: $3: Wine's own message, not the program's: wine: |p" "$1"
}

rm -rf "${work:?}"/*
mkdir -p "$work/linux" "$work/windows"
failures=0
# The Windows build's task pack is the same as the Linux build's.
for task in "$1"/tasks/_*.dat; do
  cmp -s "$task" "$2/tasks/$(basename "$task")" || { echo "FAIL $task: the Windows pack differs"; failures=$((failures + 1)); }
done
tasks=0
# Absolute paths would differ (Z:\... under Wine): both run from the game folder.
cd "$1"
for task in tasks/*.dat; do
  tasks=$((tasks + 1))
  name=$(basename "$task" .dat)
  status=0
  "$linux" "$task" -o "$work/linux/$name.sln" >"$work/linux/$name.txt" 2>&1 || status=$?
  wstatus=0
  run_windows "$task" -o "$work/windows/$name.sln" 2>&1 | as_linux >"$work/windows/$name.wine" ||
    wstatus=${PIPESTATUS[0]}
  without_wine "$work/windows/$name.wine" "$work/windows/$name.txt" "$task"
  if [ "$status" != "$wstatus" ] || ! cmp -s "$work/linux/$name.txt" "$work/windows/$name.txt"; then
    echo "FAIL $task: exit $status on Linux, $wstatus on Windows"
    diff "$work/linux/$name.txt" "$work/windows/$name.txt" | head -n 10 || true
    failures=$((failures + 1))
  fi
  if [ -f "$work/linux/$name.sln" ] && ! cmp -s "$work/linux/$name.sln" "$work/windows/$name.sln"; then
    echo "FAIL $task: the saved solutions differ"
    failures=$((failures + 1))
  fi
done
[ "$tasks" -gt 0 ] || { echo "FAIL no tasks in $1/tasks"; exit 1; }

# Each checks the other's solutions (with the pack's tasks beside them).
cp tasks/*.dat "$work/linux/"
cp tasks/*.dat "$work/windows/"
cd "$work"
for folder in linux windows; do
  lstatus=0
  "$linux" --check $folder >check-linux.txt 2>&1 || lstatus=$?
  wstatus=0
  run_windows --check $folder 2>&1 | as_linux >check-windows.wine || wstatus=${PIPESTATUS[0]}
  without_wine check-windows.wine check-windows.txt "--check $folder"
  if [ "$lstatus" != "$wstatus" ] || ! cmp -s check-linux.txt check-windows.txt; then
    echo "FAIL --check of the $folder build's solutions: exit $lstatus on Linux, $wstatus on Windows"
    diff check-linux.txt check-windows.txt | head -n 10 || true
    failures=$((failures + 1))
  fi
done
echo "ferrolin-solve: $tasks tasks and a folder check compared"
[ "$failures" -eq 0 ]
