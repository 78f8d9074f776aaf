#!/bin/sh
# Draws the Sonoquill banner logo (166 x 41 pixels, the size of imgLogo at 96 dpi) and writes
# it as the JPEG that the DLL embeds. Needs ImageMagick. Run from anywhere; the result is
# committed, so a build never needs this script.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../src/ui/art/logo.jpg}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
small=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

# A blue disc holding a white eighth note, then the name, then the tag line under it.
convert -size 166x41 xc:white \
  -fill '#1f4e9c' -draw 'circle 20,20 20,2' \
  -fill white -draw 'ellipse 16,28 6,4.5 0,360' \
  -fill white -draw 'rectangle 20,9 22,28' \
  -fill white -draw 'polygon 22,9 31,14 31,18 22,13' \
  -fill '#1f4e9c' -font "$font" -pointsize 16 -annotate +43+21 'Sonoquill' \
  -fill '#d2691e' -font "$font" -pointsize 10 -annotate +126+21 '.net' \
  -fill '#555555' -font "$small" -pointsize 8.5 -annotate +45+34 'song reporting for Winamp' \
  -strip -quality 90 -sampling-factor 1x1 "$out"
