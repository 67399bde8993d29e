#!/usr/bin/env bash
# Cross-builds the Windows programs and their tests into build-windows/ (./dev windows,
# and ./dev test before running them under Wine). Each stage says how long it took: the
# first run on a machine builds the libraries from Debian's sources, later runs reuse them.
#   scripts/windows-build.sh [LINUX_GAME_DIR]
# Leaves the programs in build-windows/game/ and the zip and the MSI in dist/.
# LINUX_GAME_DIR (a Linux build's game folder) lets the tests compare the two builds.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -gt 2 ] && jobs=2
timed() {  # timed WHAT COMMAND...
  local what=$1 start=$SECONDS
  shift
  "$@"
  echo "windows: $what took $((SECONDS - start)) s" >&2
}

prefix=$(timed "the libraries" bash scripts/windows-deps.sh)
cache=()
if command -v ccache >/dev/null 2>&1; then
  cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
linux_game=()
[ $# -ge 1 ] && linux_game=(-DFERROLIN_LINUX_GAME_DIR="$(cd "$1" && pwd)")
timed "configuring" cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DFERROLIN_WINDOWS_PREFIX="$prefix" \
  "${cache[@]}" "${linux_game[@]}" >/dev/null
timed "building the programs and tests" ninja -C build-windows -j"$jobs"
timed "packing the zip and the MSI" bash scripts/windows-package.sh build-windows dist
# The tests' folders that Windows cannot take down (trees deeper than its 260 characters)
# stay in the cached Wine prefix's Temp: cleared here, all but those of a run still going.
wine_prefix=${WINEPREFIX:-${FERROLIN_CACHE:-/var/cache/ferrolin}/wine-prefix}
[ -d "$wine_prefix" ] || wine_prefix=${XDG_CACHE_HOME:-$HOME/.cache}/ferrolin/wine-prefix
find "$wine_prefix"/drive_c/users/*/Temp -mindepth 1 -maxdepth 1 -name 'ferrolin-*' -mmin +60 \
  -exec rm -rf {} + 2>/dev/null || true
