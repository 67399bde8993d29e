#!/usr/bin/env bash
# Makes a contact sheet of the built textures for reviewers: every picture on a
# checkerboard (so transparent parts show), labelled with its name and size, read back
# from the TGA files the game loads.
#
#   scripts/contact-sheet.sh TEXTURES_DIR OUT.png
#
# Large pictures (background, panel, menu) are shown reduced to 400 px; the other
# pictures and the characters with their small variants at natural size.
set -euo pipefail
shopt -s nullglob

if [ $# -ne 2 ]; then
  echo "usage: $0 TEXTURES_DIR OUT.png" >&2
  exit 2
fi
dir=$1
out=$2
for tool in montage convert identify; do
  command -v "$tool" >/dev/null || { echo "$0: $tool (ImageMagick) is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

large=()
small=()
units=()
for tga in "$dir"/*.tga; do
  case $(basename "$tga") in
    unit_*) units+=("$tga") ;;
    *)
      read -r w h < <(identify -format '%w %h\n' "$tga")
      if [ "$w" -gt 220 ] || [ "$h" -gt 150 ]; then large+=("$tga"); else small+=("$tga"); fi ;;
  esac
done
if [ $((${#large[@]} + ${#small[@]} + ${#units[@]})) -eq 0 ]; then
  echo "$0: no .tga files in $dir" >&2
  exit 1
fi

# montage settings apply to the files named after them; %w x %h is the file's own size.
common=(-label '%t  %wx%h' -font DejaVu-Sans -pointsize 10 -fill '#202020'
        -background '#e8e8e8' -texture 'pattern:checkerboard')
parts=()
group() {  # OUT GEOMETRY TILE FILES...
  local png=$1 geometry=$2 tile=$3
  shift 3
  [ $# -gt 0 ] || return 0
  montage "${common[@]}" "$@" -geometry "$geometry" -tile "$tile" "$png"
  parts+=("$png")
}
group "$work/large.png" '400x400>+10+10' 4x "${large[@]}"
group "$work/small.png" '230x160>+6+6' 7x "${small[@]}"
group "$work/units.png" '136x64>+4+4' 12x "${units[@]}"
convert "${parts[@]}" -background '#e8e8e8' -gravity center -append "$out"
echo "contact sheet: $out"
