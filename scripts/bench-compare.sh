#!/usr/bin/env bash
# Two release builds of ferrolin-bench side by side: each round runs both, in turns that
# swap their order (A B, B A, ...), so that the shared machine's load falls on both alike;
# prints the median of every counter over the rounds, and the ratio B / A.
# Usage: scripts/bench-compare.sh BUILD_A BUILD_B [ROUNDS]   (build folders made by
#   scripts/bench.sh, e.g. one work tree at the older commit and one at the newer)
# FILTER (default: the frames, the crossing and the start-up) picks the benchmarks.
set -euo pipefail
a=$(readlink -f "$1")
b=$(readlink -f "$2")
rounds=${3:-6}
filter=${FILTER:-BM_Frame|BM_Crossing|BM_StartUp}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

run() {  # BUILD LABEL ROUND
    (cd "$1" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy GSETTINGS_BACKEND=memory \
        bench/ferrolin-bench --benchmark_filter="$filter" --benchmark_out="$out/$2-$3.json" \
        --benchmark_out_format=json >/dev/null 2>&1)
}

for round in $(seq "$rounds"); do
    if [ $((round % 2)) = 1 ]; then run "$a" A "$round"; run "$b" B "$round"
    else run "$b" B "$round"; run "$a" A "$round"; fi
    echo "round $round of $rounds done" >&2
done

python3 - "$out" <<'PY'
import glob, json, statistics, sys
values = {}  # (benchmark, counter) -> {"A": [...], "B": [...]}
skip = {"iterations", "real_time", "cpu_time", "repetitions", "repetition_index", "threads",
        "family_index", "per_family_instance_index"}
for path in sorted(glob.glob(sys.argv[1] + "/*.json")):
    side = path.rsplit("/", 1)[1][0]
    for bench in json.load(open(path))["benchmarks"]:
        for key, value in bench.items():
            if key in skip or not isinstance(value, (int, float)):
                continue
            values.setdefault((bench["name"], key), {"A": [], "B": []})[side].append(value)
print(f"{'benchmark':42} {'counter':22} {'A median':>10} {'B median':>10} {'B/A':>6}   A min-max / B min-max")
for (name, key), sides in values.items():
    if not sides["A"] or not sides["B"]:
        continue
    ma, mb = statistics.median(sides["A"]), statistics.median(sides["B"])
    ratio = f"{mb / ma:6.2f}" if ma else "     -"
    print(f"{name:42} {key:22} {ma:10.4g} {mb:10.4g} {ratio}   "
          f"{min(sides['A']):.4g}-{max(sides['A']):.4g} / {min(sides['B']):.4g}-{max(sides['B']):.4g}")
PY
