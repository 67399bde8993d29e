#!/usr/bin/env bash
# Builds the Debian package of the game: a release build without the tests, then CPack.
#
#   scripts/build-package.sh [BUILD_DIR]      (default: build-pkg)
#
# Prints the path of the .deb it made. Install it with
#   sudo apt-get install ./BUILD_DIR/ferrolin_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-pkg}
case "$build" in /*) ;; *) build=$PWD/$build ;; esac

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERROLIN_TESTS=OFF >/dev/null
# The task folder of a build is writable: start it afresh, so that only the task pack
# goes into the package.
rm -rf "$build/game/tasks" "$build/tasks.stamp"
ninja -C "$build" -j"${JOBS:-2}"
rm -f "$build"/ferrolin_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/ferrolin_*.deb
