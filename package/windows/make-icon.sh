#!/usr/bin/env bash
# Draws wlt-nastawy.ico (256, 48, 32 and 16 pixels) with ImageMagick from the
# same shapes as package/wlt-nastawy.svg: Debian's ImageMagick has no SVG
# reader, so the drawing is repeated here in its own language at 4 times the
# size. Run by hand after a change of the icon; the .ico is kept in the tree.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 256x256 xc:none -define icon:auto-resize=256,48,32,16 \
  -fill '#1f4e79' -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill none -stroke white -strokewidth 16 -draw 'stroke-linecap round line 72,28 72,88' \
  -draw 'stroke-linecap round line 184,28 184,88' -draw 'stroke-linecap round line 128,184 128,228' \
  -stroke '#ffc83d' -strokewidth 18 -draw 'stroke-linecap round line 128,180 78,108' \
  -stroke none -fill white -draw 'circle 72,96 72,110' -draw 'circle 184,96 184,110' \
  -draw 'circle 128,180 128,194' \
  -fill none -stroke '#ffc83d' -strokewidth 10 -draw 'fill none stroke-linecap round bezier 108,124 144,100 166,126' \
  -stroke none -fill '#ffc83d' -draw 'path "M 178,140 L 174.4,112.8 L 154.4,126.4 Z"' \
  wlt-nastawy.ico
