#!/usr/bin/env bash
# The help page opens without a network and runs nothing: no scripts, no addresses on the
# web, and every picture or link it names is a file beside it.
#   help-offline.sh HELP_DIR
set -euo pipefail
shopt -s nullglob
dir=$1
page=$dir/index.html
[ -f "$page" ] || { echo "no $page"; exit 1; }
rc=0
if grep -niE '<script|javascript:|https?:|(src|href)="//|url\(|@import|<(iframe|object|embed)' "$page"; then
  echo "the page loads or runs something beyond its own files (lines above)"
  rc=1
fi
grep -q '<meta charset="utf-8">' "$page" || { echo "the page does not name its encoding"; rc=1; }
# Every local file the page refers to exists; anchors point at ids of the page.
while read -r ref; do
  case "$ref" in
    "#"*) grep -q "id=\"${ref#\#}\"" "$page" || { echo "no anchor $ref"; rc=1; } ;;
    *) [ -f "$dir/$ref" ] || { echo "missing file $ref"; rc=1; } ;;
  esac
done < <(grep -oE '(src|href)="[^"]*"' "$page" | sed -E 's/^(src|href)="(.*)"$/\2/')
# Every picture is used and has the size the page gives it, so the layout never jumps.
for img in "$dir"/images/*.png; do
  name=images/$(basename "$img")
  attrs=$(grep -oE "src=\"$name\" width=\"[0-9]+\" height=\"[0-9]+\"" "$page" | head -1 || true)
  if [ -z "$attrs" ]; then echo "$name is not on the page with its size"; rc=1; continue; fi
  want=$(sed -E 's/.*width="([0-9]+)" height="([0-9]+)"/\1x\2/' <<<"$attrs")
  have=$(identify -format '%wx%h' "$img")
  [ "$want" = "$have" ] || { echo "$name is $have, the page says $want"; rc=1; }
done
exit $rc
