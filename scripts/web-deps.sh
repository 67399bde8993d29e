#!/usr/bin/env bash
# Builds the libraries the web page links (SDL2, FreeType, HarfBuzz, SDL2_ttf, SDL2_image)
# with Emscripten from Debian's source packages, never from Emscripten's downloading
# "ports". The result is cached outside the clone, keyed by the source versions, the
# compiler and this script, so later runs and other clones reuse it. Prints the prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${FERROLIN_CACHE:-$HOME/.cache/ferrolin}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
jobs=${FERROLIN_JOBS:-2}

# The versions of the desktop's own libraries, so that both draw the same pixels.
sources=()
for dev in libsdl2-dev libfreetype-dev libharfbuzz-dev libsdl2-ttf-dev libsdl2-image-dev; do
  read -r package version < <(dpkg-query -W -f='${source:Package} ${source:Version}\n' "$dev")
  bash "$here/fetch-debian-source.sh" "$package" "$version" "$cache/debian-src" >&2
  sources+=("$cache/debian-src/$package-${version#*:}")
done
sdl=${sources[0]} freetype=${sources[1]} harfbuzz=${sources[2]} ttf=${sources[3]} image=${sources[4]}

key=$( { emcc --version | head -1; for s in "${sources[@]}"; do basename "$s"; done; cat "$0"; } | sha256sum | cut -c1-16)
prefix=$cache/web-libs-$key
if [ -f "$prefix/.built" ]; then
  echo "$prefix"
  exit 0
fi
rm -rf "$prefix" "$prefix.build"
build=$prefix.build
mkdir -p "$build" "$prefix"
log=$build/log.txt
started=$(date +%s)
step() { echo "web-deps: $1 ($(( $(date +%s) - started )) s)" >&2; }

# Static, optimised for size and speed alike, like the page itself.
cmake_common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF
  -DCMAKE_C_FLAGS="-O2" -DCMAKE_CXX_FLAGS="-O2")
build_cmake() {  # name source options...
  local name=$1 src=$2
  shift 2
  step "$name"
  emcmake cmake -S "$src" -B "$build/$name" "${cmake_common[@]}" "$@" >>"$log" 2>&1 ||
    { tail -40 "$log" >&2; exit 1; }
  cmake --build "$build/$name" -j"$jobs" >>"$log" 2>&1 || { tail -40 "$log" >&2; exit 1; }
  cmake --install "$build/$name" >>"$log" 2>&1 || { tail -40 "$log" >&2; exit 1; }
}

build_cmake freetype "$freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

# HarfBuzz shapes the text as on the desktop, where SDL2_ttf uses it too. Its one-file
# build is all the page needs.
step harfbuzz
mkdir -p "$build/harfbuzz" "$prefix/include/harfbuzz" "$prefix/lib/pkgconfig"
em++ -O2 -std=c++11 -fno-exceptions -fno-rtti -DHAVE_FREETYPE=1 -DHB_NO_MT \
  -I"$prefix/include/freetype2" -c "$harfbuzz/src/harfbuzz.cc" -o "$build/harfbuzz/harfbuzz.o" >>"$log" 2>&1 ||
  { tail -40 "$log" >&2; exit 1; }
emar rcs "$prefix/lib/libharfbuzz.a" "$build/harfbuzz/harfbuzz.o"
cp "$harfbuzz"/src/hb*.h "$prefix/include/harfbuzz/"
hb_version=$(basename "$harfbuzz" | sed -e 's/^harfbuzz-//' -e 's/[+-].*//')
cat >"$prefix/lib/pkgconfig/harfbuzz.pc" <<PC
prefix=$prefix
Name: harfbuzz
Description: text shaping
Version: $hb_version
Requires: freetype2
Libs: -L\${prefix}/lib -lharfbuzz
Cflags: -I\${prefix}/include/harfbuzz
PC

build_cmake sdl2 "$sdl" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF
build_cmake sdl2_ttf "$ttf" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF \
  -DSDL2_DIR="$prefix/lib/cmake/SDL2" -DFREETYPE_INCLUDE_DIRS="$prefix/include/freetype2" \
  -DFREETYPE_LIBRARY="$prefix/lib/libfreetype.a" -Dharfbuzz_INCLUDE_PATH="$prefix/include/harfbuzz" \
  -Dharfbuzz_LIBRARY="$prefix/lib/libharfbuzz.a"
build_cmake sdl2_image "$image" -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
  -DSDL2_DIR="$prefix/lib/cmake/SDL2" -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_TGA=ON \
  -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_JXL=OFF \
  -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF \
  -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF \
  -DSDL2IMAGE_JPG_SAVE=OFF

step done
rm -rf "$build"
touch "$prefix/.built"
echo "$prefix"
