#!/usr/bin/env bash
# Builds the libraries of the Windows build (SDL2, SDL2_image, SDL2_ttf, FreeType,
# HarfBuzz, GoogleTest) with MinGW-w64 from Debian's source packages of the very versions
# the Linux build uses, as static libraries, into a cache outside the clone keyed by those
# versions. Prints the prefix. Only the first run on a machine pays for the build.
#   scripts/windows-deps.sh            build what is missing, print the prefix
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
jobs=${FERROLIN_JOBS:-$(nproc 2>/dev/null || echo 2)}
[ "$jobs" -gt 2 ] && jobs=2

cache=${FERROLIN_CACHE:-}
if [ -z "$cache" ]; then
  if mkdir -p /var/cache/ferrolin 2>/dev/null && [ -w /var/cache/ferrolin ]; then
    cache=/var/cache/ferrolin
  else
    cache=${XDG_CACHE_HOME:-$HOME/.cache}/ferrolin
  fi
fi
sources=$cache/src

# The source package and version behind each development package the Linux build uses.
declare -A version
for dev in libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfreetype-dev libharfbuzz-dev \
           libgtest-dev nlohmann-json3-dev; do
  line=$(dpkg-query -W -f='${source:Package} ${source:Version}' "$dev" 2>/dev/null || true)
  if [ -z "$line" ]; then
    echo "windows-deps: $dev is not installed (run scripts/install-deps.sh)" >&2
    exit 1
  fi
  version[${line% *}]=${line#* }
done
compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpversion)
# The recipe number changes whenever the way the libraries are built below changes.
recipe=1
key=$(for p in $(printf '%s\n' "${!version[@]}" | sort); do echo "$p=${version[$p]}"; done
      echo "mingw=$compiler_version recipe=$recipe")
key=$(printf '%s' "$key" | sha256sum | cut -c1-16)
prefix=$cache/windows-x64-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log=$cache/windows-deps-$key.log
: >"$log"
say() { echo "windows-deps: $*" >&2; }
stage() {  # stage NAME COMMAND...: runs one step once, timed, its output in the log
  local name=$1 start=$SECONDS stamp
  shift
  stamp=$prefix/.done-$(printf '%s' "$name" | tr -c 'A-Za-z0-9_.+-' '_')
  [ -f "$stamp" ] && return 0
  say "$name ..."
  if ! "$@" >>"$log" 2>&1; then
    say "$name failed; the last lines of $log:"
    tail -n 30 "$log" >&2
    exit 1
  fi
  touch "$stamp"
  say "$name took $((SECONDS - start)) s"
}
source_dir() {  # the unpacked tree of a source package, fetched when missing
  local dir=$sources/$1-${version[$1]#*:}
  if [ ! -f "$dir/.unpacked" ]; then
    bash "$here/fetch-debian-source.sh" "$1" "${version[$1]}" "$sources" >>"$log" 2>&1 ||
      { say "could not fetch $1 ${version[$1]}"; tail -n 5 "$log" >&2; exit 1; }
  fi
  echo "$dir"
}

say "building the Windows libraries into $prefix (once per machine and version; several minutes)"
total_start=$SECONDS
# Steps finished by an interrupted run are kept (each leaves a stamp in the prefix).
mkdir -p "$prefix"/{include,lib} "$prefix.build"
build=$prefix.build
toolchain=$here/../cmake/mingw-w64.cmake
cc=x86_64-w64-mingw32-gcc-posix
cxx=x86_64-w64-mingw32-g++-posix
ar=x86_64-w64-mingw32-ar
cmake_common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
              -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF)

fetch_all() {
  for p in libsdl2 libsdl2-image libsdl2-ttf freetype harfbuzz googletest nlohmann-json3; do
    source_dir "$p" >/dev/null
  done
}
stage "fetching Debian's sources" fetch_all

cmake_build() {  # cmake_build SOURCE BUILD OPTIONS...
  local src=$1 dir=$2
  shift 2
  cmake -S "$src" -B "$dir" "${cmake_common[@]}" "$@" &&
    cmake --build "$dir" -j"$jobs" && cmake --install "$dir"
}

stage "SDL2 ${version[libsdl2]}" cmake_build "$(source_dir libsdl2)" "$build/sdl2" \
  -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF

stage "FreeType ${version[freetype]}" cmake_build "$(source_dir freetype)" "$build/freetype" \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_BROTLI=ON

# HarfBuzz and the two SDL add-ons are small enough to compile directly, which spares
# their build systems' searches for optional libraries the game does not use.
harfbuzz() {
  local src
  src=$(source_dir harfbuzz)
  mkdir -p "$build/harfbuzz" "$prefix/include/harfbuzz"
  $cxx -O2 -std=c++11 -fno-exceptions -fno-rtti -DHAVE_FREETYPE=1 \
    -I"$prefix/include/freetype2" -c "$src/src/harfbuzz.cc" -o "$build/harfbuzz/harfbuzz.o"
  $ar rcs "$prefix/lib/libharfbuzz.a" "$build/harfbuzz/harfbuzz.o"
  cp "$src"/src/hb*.h "$prefix/include/harfbuzz/"
}
stage "HarfBuzz ${version[harfbuzz]}" harfbuzz

sdl_ttf() {
  local src
  src=$(source_dir libsdl2-ttf)
  mkdir -p "$build/ttf"
  $cc -O2 -DTTF_USE_HARFBUZZ=1 -I"$prefix/include/SDL2" -I"$prefix/include/freetype2" \
    -I"$prefix/include/harfbuzz" -c "$src/SDL_ttf.c" -o "$build/ttf/SDL_ttf.o"
  $ar rcs "$prefix/lib/libSDL2_ttf.a" "$build/ttf/SDL_ttf.o"
  cp "$src/SDL_ttf.h" "$prefix/include/SDL2/"
}
stage "SDL2_ttf ${version[libsdl2-ttf]}" sdl_ttf

# TGA for the pictures, PNG for screenshots (stb_image reads, miniz writes).
sdl_image() {
  local src f objects=()
  src=$(source_dir libsdl2-image)
  mkdir -p "$build/image"
  for f in "$src"/IMG*.c; do
    [ "$(basename "$f")" = IMG_WIC.c ] && continue
    $cc -O2 -DUSE_STBIMAGE -DLOAD_PNG -DLOAD_TGA -I"$prefix/include/SDL2" -I"$src" \
      -c "$f" -o "$build/image/$(basename "$f" .c).o"
    objects+=("$build/image/$(basename "$f" .c).o")
  done
  $ar rcs "$prefix/lib/libSDL2_image.a" "${objects[@]}"
  cp "$src/SDL_image.h" "$prefix/include/SDL2/"
}
stage "SDL2_image ${version[libsdl2-image]}" sdl_image

stage "GoogleTest ${version[googletest]}" cmake_build "$(source_dir googletest)" "$build/googletest" \
  -Dgtest_disable_pthreads=OFF -DINSTALL_GTEST=ON

stage "nlohmann-json ${version[nlohmann-json3]}" cmake_build "$(source_dir nlohmann-json3)" \
  "$build/nlohmann" -DJSON_BuildTests=OFF -DJSON_Install=ON

printf '%s\n' "${!version[@]}" | sort | while read -r p; do echo "$p ${version[$p]}"; done \
  >"$prefix/VERSIONS"
echo "mingw-w64 g++ $compiler_version" >>"$prefix/VERSIONS"
rm -rf "$build"
touch "$prefix/.complete"
say "the Windows libraries took $((SECONDS - total_start)) s in all"
echo "$prefix"
