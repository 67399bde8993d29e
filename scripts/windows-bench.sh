#!/usr/bin/env bash
# The headless frame benchmarks of the Windows build under Wine beside the Linux build's,
# one after the other in one run, with the summary of each. Google Benchmark for Windows
# is built once from Debian's source package of the version the Linux build uses, into the
# cache beside the other Windows libraries.
#   scripts/windows-bench.sh [BENCHMARK ARGS...]   (default: --benchmark_filter=BM_Frame)
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
  cmake -S "$src" -B "$bench_prefix.build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$bench_prefix" -DBUILD_SHARED_LIBS=OFF \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DFERROLIN_WINDOWS_PREFIX="$prefix" >/dev/null
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

echo "== Linux =="
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build-bench/bench/ferrolin-bench "${args[@]}"
echo "== Windows under Wine =="
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy scripts/wine-run.sh build-windows-bench/bench/ferrolin-bench.exe \
  "${args[@]}" | tr -d '\r'
