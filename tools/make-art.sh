#!/usr/bin/env bash
# Renders Lumo's pictures: draws them as SVGs from tools/art/manifest.md (tools/art/make-svg.py, the
# one source of the art) into a scratch folder, renders every SVG with rsvg-convert into resources/
# at the path its name encodes, and writes the
# strip test's table tests/graphics/ArtStrips.h. The PNGs are committed, so a build never needs
# this; the output is byte-for-byte the same on every run (rsvg-convert writes no time stamps).
# Usage: tools/make-art.sh [--sheet DIR]   (--sheet: also a contact sheet per picture, 4x, in DIR)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
art="$here/art"

sheet_dir=""
if [ "${1:-}" = "--sheet" ]; then
  sheet_dir=${2:?--sheet needs a folder}
fi

need=()
command -v rsvg-convert >/dev/null || need+=(librsvg2-bin)
command -v python3 >/dev/null || need+=(python3)
if [ -n "$sheet_dir" ]; then
  command -v montage >/dev/null || need+=(imagemagick)
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "make-art: installing ${need[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

svg_dir=$(mktemp -d "${TMPDIR:-/tmp}/lumo-art.XXXXXX")
trap 'rm -rf "$svg_dir"' EXIT
python3 -B "$art/make-svg.py" "$svg_dir"
python3 -B "$art/make-table.py" "$src/tests/graphics/ArtStrips.h"

# Every SVG becomes the PNG of the same relative path under resources/.
count=0
while IFS= read -r -d '' svg; do
  relative=${svg#"$svg_dir/"}
  png="$src/resources/${relative%.svg}.png"
  mkdir -p "$(dirname "$png")"
  rsvg-convert --format=png --output="$png" "$svg"
  count=$((count + 1))
done < <(find "$svg_dir" -name '*.svg' -print0 | sort -z)
echo "make-art: rendered $count pictures into resources/"

if [ -n "$sheet_dir" ]; then
  python3 -B "$art/make-sheet.py" "$src/resources" "$sheet_dir"
fi
