#!/usr/bin/env bash
# The headless frame benchmarks of the Windows build under Wine beside the Linux build's,
# one after the other in one run, with the summary of each. Google Benchmark for Windows
# is built once from Debian's source package of the version the Linux build uses, into the
# cache beside the other Windows libraries.
#   scripts/windows-bench.sh [BENCHMARK ARGS...]   (default: --benchmark_filter=BM_Frame)
# ROUNDS (default 3) sets how often the two builds take turns; the summary gives medians.
# Leaves build-windows-bench/ and build-bench/ (scripts/bench.sh's folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=2
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(--benchmark_filter=BM_Frame)

prefix=$(bash scripts/windows-deps.sh)
cache=$(dirname "$prefix")
line=$(dpkg-query -W -f='${source:Package} ${source:Version}' libbenchmark-dev)
version=${line#* }
key=$(printf '%s %s' "$version" "$(x86_64-w64-mingw32-g++-posix -dumpversion)" | sha256sum | cut -c1-16)
bench_prefix=$cache/windows-x64-benchmark-$key
if [ ! -f "$bench_prefix/.complete" ]; then
  start=$SECONDS
  bash scripts/fetch-debian-source.sh benchmark "$version" "$cache/src" >&2
  src=$cache/src/benchmark-${version#*:}
  # Its version comes from git tags, as Debian's own build does not: given as Debian gives it.
  upstream=${version#*:}
  upstream=${upstream%-*}
  cmake -S "$src" -B "$bench_prefix.build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$bench_prefix" -DBUILD_SHARED_LIBS=OFF \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DGIT_VERSION="$upstream" >/dev/null
  cmake --build "$bench_prefix.build" -j"$jobs" >/dev/null
  cmake --install "$bench_prefix.build" >/dev/null
  rm -rf "$bench_prefix.build"
  touch "$bench_prefix/.complete"
  echo "windows-bench: Google Benchmark $version took $((SECONDS - start)) s" >&2
fi

cache_flags=()
if command -v ccache >/dev/null 2>&1; then
  cache_flags=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
cmake -S . -B build-windows-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERROLIN_BENCH=ON -DFERROLIN_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DFERROLIN_WINDOWS_PREFIX="$prefix" \
  -Dbenchmark_DIR="$bench_prefix/lib/cmake/benchmark" "${cache_flags[@]}" >/dev/null
ninja -C build-windows-bench -j"$jobs" ferrolin-bench >/dev/null
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERROLIN_BENCH=ON -DFERROLIN_TESTS=OFF \
  "${cache_flags[@]}" >/dev/null
ninja -C build-bench -j"$jobs" ferrolin-bench >/dev/null

# ROUNDS alternations, so that the machine's load falls on both builds alike.
rounds=${ROUNDS:-3}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for round in $(seq "$rounds"); do
  echo "== round $round: Linux =="
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build-bench/bench/ferrolin-bench "${args[@]}" | tee "$out/linux.$round"
  echo "== round $round: Windows under Wine =="
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy scripts/wine-run.sh build-windows-bench/game/ferrolin-bench.exe \
    "${args[@]}" | tr -d '\r' | tee "$out/windows.$round"
done
# The first summary row of each screen is its frame drawn in full: ours, then the bare replay.
column() {  # SCREEN FIELD FILES...: the median over the rounds
  local screen=$1 field=$2
  shift 2
  for f in "$@"; do awk -v s="$screen" -v f="$field" '$1 == s && $2 ~ /^[0-9.]+$/ {print $f; exit}' "$f"; done |
    sort -g | awk '{v[NR] = $1} END {if (NR) print ((NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'
}
echo "== Frames drawn in full, medians of $rounds rounds: Windows under Wine against Linux (goal <= 1.3x) =="
for screen in play editor catalogue; do
  linux=$(column "$screen" 2 "$out"/linux.*) windows=$(column "$screen" 2 "$out"/windows.*)
  linux_bare=$(column "$screen" 3 "$out"/linux.*) windows_bare=$(column "$screen" 3 "$out"/windows.*)
  [ -n "$linux" ] && [ -n "$windows" ] || continue
  awk -v s="$screen" -v l="$linux" -v w="$windows" -v lb="$linux_bare" -v wb="$windows_bare" \
    'BEGIN {printf "  %-10s Linux %6.3f ms  Windows %6.3f ms  %.2fx   bare SDL replay: %6.3f / %6.3f ms  %.2fx\n",
            s, l, w, w / l, lb, wb, wb / lb}'
done
