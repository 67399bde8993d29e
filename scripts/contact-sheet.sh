#!/usr/bin/env bash
# Makes a contact sheet of the built textures for reviewers: every picture on a
# checkerboard (so transparent parts show), labelled with its name and size, read back
# from the TGA files the game loads.
#
#   scripts/contact-sheet.sh TEXTURES_DIR OUT.png [COLOUR_CHECK.png]
#
# Large pictures (background, panel, menu) are shown reduced to 400 px; the other
# pictures and the characters with their small variants at natural size. Below them,
# every figure with a tint mask in each colour of the editor's palette at 60x60 and
# 26x26, put together as the game draws it: the figure, the mask multiplied by the
# colour, the colour's mark from badges.tga in the bottom-right corner.
#
# COLOUR_CHECK.png, when given, gets those coloured figures (doubled in size, on the
# river's green) as seen with normal sight and as simulated for protanopia,
# deuteranopia and tritanopia (Machado, Oliveira and Fernandes 2009, full severity, in
# linear RGB): each row of one figure must still show five different pictures.
set -euo pipefail
shopt -s nullglob

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 TEXTURES_DIR OUT.png [COLOUR_CHECK.png]" >&2
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
    unit_*_tint.tga) ;;
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

# The palette: white (no colour), red, yellow, green, blue, as the task files store them.
palette=("1 1 1" "0.941 0 0" "0.941 0.941 0" "0 0.941 0" "0 0 0.941")
# figure mask marks mark-size colour-index -> the character on stdout as PNG
coloured() {
  local figure=$1 mask=$2 marks=$3 size=$4 i=$5
  local r g b
  read -r r g b <<<"${palette[$i]}"
  if [ "$i" -eq 0 ]; then
    convert "$figure" png:-
    return
  fi
  local w
  w=$(identify -format '%w' "$figure")
  convert "$figure" \
    \( "$mask" -channel R -evaluate multiply "$r" -channel G -evaluate multiply "$g" \
       -channel B -evaluate multiply "$b" +channel \) -composite \
    \( "$marks" -crop "${size}x${size}+$(( (i - 1) * size ))+0" +repage \) \
    -geometry "+$((w - size))+$((w - size))" -composite png:-
}
names=()
for mask in "$dir"/unit_*_tint.tga; do
  case $mask in *_small_tint.tga) continue ;; esac
  name=$(basename "$mask" _tint.tga)
  [ -f "$dir/${name}_small.tga" ] && [ -f "$dir/${name}_small_tint.tga" ] || continue
  names+=("$name")
done
if [ ${#names[@]} -gt 0 ]; then
  tiles=()
  n=0
  for name in "${names[@]}"; do
    for size in big small; do
      for i in 0 1 2 3 4; do
        if [ $size = big ]; then
          coloured "$dir/$name.tga" "$dir/${name}_tint.tga" "$dir/badges.tga" 18 $i >"$work/c$n.png"
        else
          coloured "$dir/${name}_small.tga" "$dir/${name}_small_tint.tga" \
            "$dir/badges_small.tga" 11 $i >"$work/c$n.png"
        fi
        tiles+=("$work/c$n.png")
        n=$((n + 1))
      done
    done
  done
  # One row a figure: five colours at 60x60, then the same at 26x26.
  montage -label '' -background '#e8e8e8' -texture 'pattern:checkerboard' "${tiles[@]}" \
    -geometry '64x64>+3+3' -tile 10x "$work/coloured.png"
  convert -background '#e8e8e8' -fill '#202020' -font DejaVu-Sans -pointsize 12 \
    -size "$(identify -format '%w' "$work/coloured.png")x" \
    caption:"figures with tint masks, one a row: ${names[*]#unit_}" "$work/coloured.png" \
    -gravity center -append "$work/coloured-titled.png"
  parts+=("$work/coloured-titled.png")

  if [ $# -ge 3 ]; then
    check=$3
    # The figures over the grass of the river bank, where pupils see them.
    montage -label '' -background '#5b8c3a' "${tiles[@]}" -geometry '64x64>+3+3' -tile 10x \
      -filter point -resize 200% "$work/sight.png"
    simulate() {  # name matrix
      convert "$work/sight.png" -colorspace RGB -color-matrix "$2" -colorspace sRGB \
        -background '#e8e8e8' -fill '#202020' -font DejaVu-Sans -pointsize 22 \
        label:"$1" +swap -gravity center -append "$work/sim-$1.png"
    }
    simulate normal '1 0 0  0 1 0  0 0 1'
    simulate protanopia '0.152286 1.052583 -0.204868  0.114503 0.786281 0.099216
                         -0.003882 -0.048116 1.051998'
    simulate deuteranopia '0.367322 0.860646 -0.227968  0.280085 0.672501 0.047413
                           -0.011820 0.042940 0.968881'
    simulate tritanopia '1.255528 -0.076749 -0.178779  -0.078411 0.930809 0.147602
                         0.004733 0.691367 0.303900'
    convert "$work"/sim-normal.png "$work"/sim-protanopia.png -background '#e8e8e8' +append \
      "$work/top.png"
    convert "$work"/sim-deuteranopia.png "$work"/sim-tritanopia.png -background '#e8e8e8' \
      +append "$work/bottom.png"
    convert "$work/top.png" "$work/bottom.png" -background '#e8e8e8' -append -depth 8 "$check"
    echo "colour check: $check"
  fi
fi
convert "${parts[@]}" -background '#e8e8e8' -gravity center -append "$out"
echo "contact sheet: $out"
