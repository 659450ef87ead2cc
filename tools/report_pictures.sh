#!/bin/sh
# Draws the small pictures the HTML reports show (ImageMagick): the up and
# down arrows of the quote table, and the bar and marker of the summary's
# recommendation bar. The files are committed in resources/report; run this
# again only to change them.
set -e
out=$(dirname "$0")/../resources/report
mkdir -p "$out"
convert -size 11x11 xc:none +antialias -fill '#008800' -draw 'polygon 5,1 10,9 0,9' "$out/up.gif"
convert -size 11x11 xc:none +antialias -fill '#cc0000' -draw 'polygon 0,1 10,1 5,9' "$out/dn.gif"
convert -size 8x20 gradient:'#b8d0ff'-'#0030b0' -strip -quality 92 "$out/bar.jpg"
convert -size 8x20 gradient:'#ffb0a0'-'#b00000' -fill '#ffffff' -draw 'line 3,2 3,17' -strip -quality 92 "$out/gmb.jpg"
