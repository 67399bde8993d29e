#!/usr/bin/env bash
# Fuzzes the task/solution reader and the picture loader with libFuzzer (clang).
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS per target (default 1800); the targets (default both: task_reader,
# texture_loader) run side by side, one core each. The build lives in build-fuzz (or
# $FERROLIN_FUZZ_BUILD); the corpus grows there from run to run, and an input that makes
# a target fail is kept in build-fuzz/fuzz/artifacts/TARGET/ for replaying:
#   build-fuzz/fuzz/TARGET_fuzz build-fuzz/fuzz/artifacts/TARGET/crash-...
# Exits non-zero when a target found a crash, a leak, a hang or a broken invariant.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-1800}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(task_reader texture_loader)
build=${FERROLIN_FUZZ_BUILD:-build-fuzz}

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFERROLIN_FUZZ=ON -DFERROLIN_TESTS=OFF >/dev/null
fi
if ! ninja -C "$build" -j2 fuzzers >"$build/fuzz-build.log" 2>&1; then
  cat "$build/fuzz-build.log" >&2
  exit 1
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

dir="$build/fuzz"
pids=()
for t in "${targets[@]}"; do
  mkdir -p "$dir/corpus/$t" "$dir/artifacts/$t"
  # Pictures: keep inputs small, so that a mutation costs microseconds, not a decoder
  # pass over megabytes; the task pack files are all well under the limit.
  max_len=20000
  "$dir/${t}_fuzz" -max_total_time="$seconds" -timeout=30 -max_len="$max_len" \
    -print_final_stats=1 -artifact_prefix="$dir/artifacts/$t/" \
    "$dir/corpus/$t" "$dir/seeds/$t" >"$dir/$t.log" 2>&1 &
  pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
  t=${targets[$i]}
  if wait "${pids[$i]}"; then result=ok; else result=FAILED; status=1; fi
  # The last status line: coverage, features and corpus; then libFuzzer's own totals.
  last=$(grep -E '^#[0-9]+' "$dir/$t.log" | tail -1 || true)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/$t.log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/$t.log")
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$dir/$t.log")
  echo "fuzz $t: $result after ${seconds}s: ${runs:-?} runs (${speed:-?}/s), peak ${rss:-?} MB; ${last}"
  if [ "$result" != ok ]; then
    grep -E 'ERROR|SUMMARY|invariant|artifact' "$dir/$t.log" | head -20 >&2 || true
  fi
done
exit $status
