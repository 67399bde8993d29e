#!/usr/bin/env bash
# Guards that keep the sources as they are meant to be:
#  - every C++ file is formatted with the project's clang-format style;
#  - no include climbs out of the include roots with "../";
#  - every header of a layer compiles on its own, seeing only its layer's include roots
#    (its own and those of the layers it may use), so it names every include it needs.
# Usage: check-sources.sh SOURCE_DIR BUILD_DIR (a configured build: it holds the layer roots)
set -uo pipefail
src=$(readlink -f "$1")
build=$(readlink -f "$2")
cd "$src"
status=0

mapfile -t files < <(find base platform ui puzzle model scene editor app tools tests bench fuzz \
  -name '*.cpp' -o -name '*.hpp' 2>/dev/null | sort)

if ! clang-format --dry-run -Werror "${files[@]}" 2>/tmp/ferrolin-format.$$; then
  echo "not formatted as .clang-format says (run clang-format -i on them):"
  grep -o '^[^:]*\.[ch]pp' /tmp/ferrolin-format.$$ | sort -u
  status=1
fi
rm -f /tmp/ferrolin-format.$$

if grep -n '#include *"\.\./' "${files[@]}"; then
  echo "includes above name their file from a layer's root, not with ../"
  status=1
fi

# Each layer and the layers it may use, lowest first.
declare -A uses=(
  [base]=""
  [platform]="base"
  [ui]="platform base"
  [model]="base"
  [puzzle]="model scene ui platform base"
  [scene]="ui platform base"
  [editor]="puzzle scene model ui platform base"
  [app]="editor puzzle scene model ui platform base"
)
platform_flags=$(pkg-config --cflags sdl2 SDL2_ttf SDL2_image fontconfig gtk+-3.0)
cxx=${CXX:-c++}
for layer in "${!uses[@]}"; do
  root=$build/layers/ferrolin_$layer
  [ -d "$root" ] || continue
  flags=(-std=c++20 -fsyntax-only -Wall -Wextra -I"$root")
  for below in ${uses[$layer]}; do
    [ -d "$build/layers/ferrolin_$below" ] && flags+=(-I"$build/layers/ferrolin_$below")
  done
  # The layer's folder as its root shows it.
  folder=$(cd "$root" && find . -type l | head -n 1)
  extra=()
  [ "$layer" = platform ] && read -r -a extra <<<"$platform_flags"
  for header in $(cd "$root" && find -L "$folder" -maxdepth 1 -name '*.hpp' | sort); do
    header=${header#./}
    if ! echo "#include \"$header\"" | "$cxx" "${flags[@]}" "${extra[@]}" -x c++ - 2>/tmp/ferrolin-header.$$; then
      echo "$header does not compile on its own with the $layer layer's include roots:"
      head -n 5 /tmp/ferrolin-header.$$
      status=1
    fi
  done
  rm -f /tmp/ferrolin-header.$$
done
exit $status
