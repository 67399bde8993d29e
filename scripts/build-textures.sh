#!/usr/bin/env bash
# Renders the game's pictures from their SVG sources into 32-bit TGA files.
#
#   scripts/build-textures.sh SRC_ART_DIR OUT_TEXTURES_DIR
#
#   SRC_ART_DIR/ui/<name>.svg     -> OUT/<name>.tga at the size the SVG declares
#   SRC_ART_DIR/units/<name>.svg  -> OUT/unit_<name>.tga (60x60) and
#                                    OUT/unit_<name>_small.tga (26x26)
#   and, when the figure marks parts with class="tint", their tint masks
#                                    OUT/unit_<name>_tint.tga and
#                                    OUT/unit_<name>_small_tint.tga
#
# Needs rsvg-convert (librsvg2-bin) and ImageMagick. The output is the same bytes on
# every run: no time stamps, fixed fonts through fontconfig.
set -euo pipefail
shopt -s nullglob

if [ $# -ne 2 ]; then
  echo "usage: $0 SRC_ART_DIR OUT_TEXTURES_DIR" >&2
  exit 2
fi
art=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in rsvg-convert convert; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One picture: SVG -> PNG (at an optional forced size) -> TGA.
#  - Opaque texels of the colour key RGB(0x16,0x40,0x00) would turn transparent in the
#    game, so a gradient that happens to hit it is nudged one step in blue.
#  - ImageMagick 6 writes TGA rows top-first but marks them bottom-first unless told
#    -orient TopLeft; the loader honours the mark, so without it pictures come out
#    upside down.
#  - Colourless or fully opaque art would otherwise be saved as grey or 24-bit:
#    force sRGB true colour with alpha.
render_one() {
  local svg=$1 tga=$2 size=$3
  local png=$4
  if [ "$size" = "-" ]; then
    rsvg-convert "$svg" -o "$png"
  else
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$png"
  fi
  convert "$png" -colorspace sRGB -alpha on \
    -fill 'rgba(22,64,1,1)' -opaque 'rgba(22,64,0,1)' \
    -orient TopLeft -type TrueColorAlpha -depth 8 -compress None +set comment \
    "TGA:$tga.part"
  mv -f "$tga.part" "$tga"
}
export -f render_one

# A tint mask: the visible part of the figure's class="tint" elements, in light greys
# that keep the figure's shading, transparent elsewhere. The game draws the figure
# untinted and this mask over it multiplied by the character's colour, so faces keep
# their skin and the colour shows on clothes, crowns and shields.
#  - The figure is rendered twice with the marked parts painted in two different flat
#    colours; where the renders differ is exactly what of those parts is seen (parts
#    drawn over them, hair over a collar, cut it away), and by how much at the edges.
#  - Greys from 0.7 to 1 by the figure's own brightness: dark clothes would otherwise
#    multiply to near-black, and the tint stays readable in every colour.
render_mask() {
  local svg=$1 tga=$2 size=$3 work=$4
  local css_a=$work.a.css css_b=$work.b.css
  printf '.tint, .tint * { fill: #ff00ff !important; stroke: #ff00ff !important; }\n' >"$css_a"
  printf '.tint, .tint * { fill: #00ff00 !important; stroke: #00ff00 !important; }\n' >"$css_b"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$work.o.png"
  rsvg-convert -s "$css_a" -w "$size" -h "$size" "$svg" -o "$work.a.png"
  rsvg-convert -s "$css_b" -w "$size" -h "$size" "$svg" -o "$work.b.png"
  # Never more opaque than the figure itself, also where rounding at its edges would say so.
  convert "$work.a.png" "$work.b.png" "$work.o.png" \
    -fx 'min(u[0].r*u[0].a - u[1].r*u[1].a, u[2].a)' -alpha off -colorspace Gray \
    "$work.cover.png"
  convert "$work.o.png" -alpha off -colorspace Gray -fx '0.7+0.3*u' "$work.cover.png" \
    -compose CopyOpacity -composite -colorspace sRGB \
    -orient TopLeft -type TrueColorAlpha -depth 8 -compress None +set comment \
    "TGA:$tga.part"
  mv -f "$tga.part" "$tga"
}
export -f render_mask

jobs=$work/jobs
: >"$jobs"
n=0
for svg in "$art"/ui/*.svg; do
  name=$(basename "$svg" .svg)
  printf '%s\0%s\0-\0%s\0' "$svg" "$out/$name.tga" "$work/$n.png" >>"$jobs"
  n=$((n + 1))
done
for svg in "$art"/units/*.svg; do
  name=$(basename "$svg" .svg)
  printf '%s\0%s\0-\0%s\0' "$svg" "$out/unit_$name.tga" "$work/$n.png" >>"$jobs"
  n=$((n + 1))
  printf '%s\0%s\0%s\0%s\0' "$svg" "$out/unit_${name}_small.tga" 26 "$work/$n.png" >>"$jobs"
  n=$((n + 1))
done

masks=$work/masks
: >"$masks"
for svg in "$art"/units/*.svg; do
  grep -q 'class="tint"' "$svg" || continue
  name=$(basename "$svg" .svg)
  printf '%s\0%s\0%s\0%s\0' "$svg" "$out/unit_${name}_tint.tga" 60 "$work/m$n" >>"$masks"
  n=$((n + 1))
  printf '%s\0%s\0%s\0%s\0' "$svg" "$out/unit_${name}_small_tint.tga" 26 "$work/m$n" >>"$masks"
  n=$((n + 1))
done

xargs -0 -n 4 -P "${TEXTURE_JOBS:-2}" bash -c 'render_one "$@"' _ <"$jobs"
xargs -0 -n 4 -P "${TEXTURE_JOBS:-2}" bash -c 'render_mask "$@"' _ <"$masks"
echo "$n pictures in $out"
