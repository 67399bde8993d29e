#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them: frames of the busiest screens
# against the bare SDL frame, start-up to the first frame, the solver. Prints a summary
# with the ratios at the end. Extra arguments go to the benchmark program, e.g.
#   scripts/bench.sh --benchmark_filter=BM_Frame
# BUILD_DIR (default build-bench) and JOBS (default 2) can be set in the environment.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
jobs=${JOBS:-2}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERROLIN_BENCH=ON \
      -DFERROLIN_TESTS=OFF >/dev/null
ninja -C "$build" -j "$jobs" ferrolin-bench ferrolin-script

# The whole process, cold: start, first frame, shut down (ferrolin-script with one tick).
script=$(mktemp --suffix=.txt)
trap 'rm -f "$script"' EXIT
echo "wait 10" >"$script"
start=$(date +%s%N)
SDL_VIDEODRIVER=dummy "$build/game/ferrolin-script" "$script"
end=$(date +%s%N)
process_ms=$(( (end - start) / 1000000 ))

SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy GSETTINGS_BACKEND=memory \
    "$build/bench/ferrolin-bench" "$@"
echo "Whole process headless (ferrolin-script: start, one frame, exit): ${process_ms} ms"
