#!/usr/bin/env bash
# Draws the program icon (ICON 1 of Install_Torvane.exe, also the picture of
# the main window's ImgIcon): three lime peers linked in a triangle on a navy
# tile with a white arrow pointing down into it ("install"). Original art made
# of plain shapes; 32 x 32 and 16 x 16 images in one .ico.
#
# usage: make-icon.sh [OUTPUT.ico]   (default: Install_Torvane.ico beside this script)
#
# The output is committed next to this script so the cross build needs no
# ImageMagick; run the script again after changing it and commit both.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here/Install_Torvane.ico}
command -v convert >/dev/null || { echo "make-icon.sh: ImageMagick's convert is missing" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Colours of the program: navy tile, blue rim, lime peers, white arrow.
navy='#000080' blue='#0000FF' lime='#00FF00' white='#FFFFFF'

# -antialias off keeps the small sizes crisp and the output identical from run
# to run; +set date:* and -strip keep time stamps out of the file.
convert -size 32x32 xc:none +antialias \
    -fill "$navy" -stroke "$blue" -strokewidth 1 -draw 'roundrectangle 1,1 30,30 6,6' \
    -stroke "$lime" -strokewidth 2 -draw 'line 8,12 24,12' -draw 'line 8,12 16,25' -draw 'line 24,12 16,25' \
    -stroke none -fill "$lime" -draw 'circle 8,12 8,15' -draw 'circle 24,12 24,15' -draw 'circle 16,25 16,28' \
    -fill "$white" -draw 'polygon 14,3 18,3 18,9 21,9 16,15 11,9 14,9' \
    -strip "PNG32:$tmp/32.png"

convert -size 16x16 xc:none +antialias \
    -fill "$navy" -stroke "$blue" -strokewidth 1 -draw 'roundrectangle 0,0 15,15 3,3' \
    -stroke "$lime" -strokewidth 1 -draw 'line 4,7 11,7' -draw 'line 4,7 8,12' -draw 'line 11,7 8,12' \
    -stroke none -fill "$lime" -draw 'rectangle 3,6 5,8' -draw 'rectangle 10,6 12,8' -draw 'rectangle 7,11 9,13' \
    -fill "$white" -draw 'polygon 7,1 8,1 8,4 10,4 7,7 5,4 7,4' \
    -strip "PNG32:$tmp/16.png"

# Largest first: Windows picks the best size from the directory either way.
convert "$tmp/32.png" "$tmp/16.png" +set date:create +set date:modify -strip "ICO:$out"
echo "wrote $out"
