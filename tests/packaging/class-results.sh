#!/usr/bin/env bash
# Two pupils on one computer (two data folders) win different tasks at the same time into
# one class folder; the teacher's overview then has both rows right, whatever else lies
# among the results (garbage lines, a folder, a teacher's note).
#   class-results.sh GAME_DIR
set -euo pipefail
game=$(readlink -f "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/program/tasks" "$tmp/class" "$tmp/anna" "$tmp/boris"
ln -s "$game/textures" "$tmp/program/textures"
cp "$game"/tasks/*.dat "$tmp/program/tasks/"

pupil() {  # NAME DATA_FOLDER ROW then the moves
  local name=$1 data=$2 row=$3
  shift 3
  {
    echo "folder $tmp/program"
    echo "data $data"
    echo "class $tmp/class"
    echo "click 520 73"
    echo "wait 100"
    echo "type $name"
    echo "click 464 462"
    echo "wait 100"
    echo "click 518 $row"
    echo "click 518 $row"
    echo "wait 500"
    printf '%s\n' "$@"
    echo "wait 1500"
  } > "$data/script.txt"
  "$game/ferrolin-script" "$data/script.txt"
}
# "1. Первая переправа": the boy and the dog cross together.
pupil Аня "$tmp/anna" 167 "tap 35 70" "tap 105 70" "tap 480 355" &
first=$!
# "2. Лодочник": the boatman takes the cat, the dog and the rabbit one at a time.
pupil Боря "$tmp/boris" 199 "tap 35 70" "tap 480 355" "tap 655 185" "tap 105 70" "tap 480 355" \
  "tap 655 185" "tap 175 70" "tap 480 355" &
second=$!
wait $first
wait $second

results=$tmp/class/results
[ "$(ls "$results" | wc -l)" = 2 ] || { ls -l "$results"; echo "expected one results file a pupil"; exit 1; }
printf 'garbage\n\tmore garbage\n' >> "$(ls "$results"/*.txt | head -n 1)"
mkdir "$results/folder.txt"
echo "Список класса" > "$results/notes.txt"

"$game/ferrolin-solve" --report "$tmp/class" > "$tmp/report.out"
csv=$tmp/class/class-results.csv
[ -s "$tmp/class/class-results.html" ] || { echo "no page"; exit 1; }
# Columns: pupil, solved, then crossings and hints of each task in the pack's order.
row() { grep "^$1;" "$csv" | cut -d';' -f1-6; }
[ "$(row Аня)" = "Аня;1;1;0;;" ] || { cat "$csv"; echo "Аня's row is wrong"; exit 1; }
[ "$(row Боря)" = "Боря;1;;;5;0" ] || { cat "$csv"; echo "Боря's row is wrong"; exit 1; }
[ "$(grep -c '' "$csv")" = 4 ] || { cat "$csv"; echo "expected two pupils"; exit 1; }
echo "class results: both pupils' rows are right"
