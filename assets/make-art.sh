#!/usr/bin/env bash
# Draws the panels' pictures (src/ui/Pictures.h lists them with their sizes):
# original art made of gradients and plain shapes in the program's colours,
# around one motif, a network of linked peers. No text.
#
#   Welcome.jpg          513 x 390   peers linked across a night-to-day sky
#   DisclaimerSmall.bmp   49 x 57    a sheet with lines and a tick (24-bit BMP)
#   InstallChoice.jpg    225 x 193   two paths leaving one node
#   Folder.jpg           105 x 105   a folder with a peer on it
#   Connection.jpg       177 x 281   a column of peers linked to a globe
#   ToolbarBanner.jpg    675 x  56   a band with a chain of peers
#   ToolbarStrip.jpg     674 x  24   a thin band with small dots
#   ReadyToInstall.jpg   193 x 164   a box with an arrow going into it
#   Finished.bmp         209 x 209   a tick in a ring on a plain key colour
#                                    (8-bit palettised BMP; the image peer
#                                    leaves out the bottom-left pixel's colour)
#   Error.jpg            121 x 122   a warning sign
#   Search.jpg           160 x 202   a magnifier over a column of disks
#   Upgraded.jpg         383 x 302   a peer lifted up by an arrow among others
#
# usage: make-art.sh [OUTPUT_DIR]   (default: this script's folder)
#
# JPEGs at quality 85, without metadata; BMPs in the classic format (40-byte
# header, bottom-up rows). The outputs are committed next to this script and
# embedded by the build (cmake/Assets.cmake), so neither tree needs
# ImageMagick; run the script again after changing it and commit the
# pictures with it. Running it twice with the same ImageMagick gives the
# same bytes (no random primitives, no time stamps).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here}
command -v convert >/dev/null || { echo "make-art.sh: ImageMagick's convert is missing" >&2; exit 1; }
mkdir -p "$out"

navy='#000080' blue='#0000FF' lime='#00FF00' white='#FFFFFF' sky='#A6CAF0' cream='#FFFBF0'
night='#06104A' deep='#10287A' leaf='#2EA84A'

# Output options of every JPEG: no metadata, quality 85, 4:2:0, baseline.
jpeg=(-strip -quality 85 -sampling-factor 2x2 -interlace none)

# Draw primitives for a network: links first, then the peers on top.
# nodes: "x,y ..."; links: "i-j ..." (indexes into nodes); radius; colours.
network() {
    local nodes=($1) links=($2) r=$3 link=$4 fill=$5 rim=$6 width=$7 p=() i a b
    p+=(-fill none -stroke "$link" -strokewidth "$width")
    for i in "${links[@]}"; do
        a=${nodes[${i%-*}]} b=${nodes[${i#*-}]}
        p+=(-draw "line ${a} ${b}")
    done
    p+=(-fill "$fill" -stroke "$rim" -strokewidth 2)
    for a in "${nodes[@]}"; do
        p+=(-draw "circle ${a} $((${a%,*} + r)),${a#*,}")
    done
    printf '%s\n' "${p[@]}"
}

draw_network() { # output array name, then network's arguments
    local -n into=$1
    shift
    mapfile -t into < <(network "$@")
}

# --- Welcome: a sky from night to day with a web of peers ---------------------
draw_network welcome_web \
    "60,300 140,230 95,140 210,110 250,300 330,200 300,70 420,130 460,260 380,330 180,360 470,40" \
    "0-1 1-2 2-3 1-3 1-4 4-5 3-5 3-6 6-7 5-7 7-8 5-8 8-9 4-9 4-10 0-10 7-11 6-11 5-9" \
    9 "#C8E4FF" "$lime" "$white" 2
convert -size 513x390 "gradient:$night-$sky" \
    \( -size 380x300 -define gradient:extent=minimum radial-gradient:'#FFFFFF90-#FFFFFF00' \) \
    -geometry +170+110 -compose over -composite \
    -fill none -stroke '#FFFFFF30' -strokewidth 3 -draw 'ellipse 256,420 330,160 180,360' \
    -stroke '#FFFFFF20' -draw 'ellipse 256,440 420,230 180,360' \
    "${welcome_web[@]}" \
    -fill "$white" -stroke none -draw 'circle 330,200 334,200' -draw 'circle 210,110 214,110' \
    "${jpeg[@]}" "JPEG:$out/Welcome.jpg"

# --- DisclaimerSmall: a sheet of paper with lines and a tick (24-bit BMP) -----
convert -size 49x57 "gradient:$cream-$sky" \
    -fill "$white" -stroke "$navy" -strokewidth 1 -draw 'polygon 6,3 34,3 43,12 43,53 6,53' \
    -fill "$sky" -draw 'polygon 34,3 34,12 43,12' \
    -stroke "$blue" -draw 'line 11,16 30,16' -draw 'line 11,22 37,22' -draw 'line 11,28 37,28' \
    -draw 'line 11,34 26,34' \
    -stroke "$leaf" -strokewidth 3 -draw 'line 20,44 26,50' -draw 'line 26,50 38,36' \
    -strip -type TrueColor -compress None "BMP3:$out/DisclaimerSmall.bmp"

# --- InstallChoice: one node, two paths (new install, upgrade) ----------------
# A cubic curve from (x0,y0) to (x3,y3) as 24 straight lines, one draw
# argument each (whole pixels: the same text, so the same picture, on every
# machine). Separate lines, because ImageMagick 6.9 splits the thick stroke
# of an open polyline at its end.
curve() { # x0 y0 x1 y1 x2 y2 x3 y3
    awk -v p="$*" 'BEGIN {
        split(p, c, " ")
        for (i = 0; i <= 24; i++) {
            t = i / 24; u = 1 - t
            x = int(u*u*u*c[1] + 3*u*u*t*c[3] + 3*u*t*t*c[5] + t*t*t*c[7] + 0.5)
            y = int(u*u*u*c[2] + 3*u*u*t*c[4] + 3*u*t*t*c[6] + t*t*t*c[8] + 0.5)
            if (i > 0) printf "-draw\nline %d,%d %d,%d\n", px, py, x, y
            px = x; py = y
        }
    }'
}
mapfile -t upper < <(curve 40 150 80 150 110 60 190 50)
mapfile -t lower < <(curve 40 150 90 150 120 140 190 140)
convert -size 225x193 "gradient:$sky-$white" \
    -fill none -stroke "$navy" -strokewidth 6 "${upper[@]}" \
    -stroke "$blue" "${lower[@]}" \
    -fill "$navy" -stroke none -draw 'polygon 186,34 212,50 186,66' \
    -fill "$blue" -draw 'polygon 186,124 212,140 186,156' \
    -fill "$lime" -stroke "$navy" -strokewidth 3 -draw 'circle 40,150 58,150' \
    -fill "$white" -stroke none -draw 'circle 40,150 47,150' \
    "${jpeg[@]}" "JPEG:$out/InstallChoice.jpg"

# --- Folder: a folder with a peer on its front --------------------------------
convert -size 105x105 "radial-gradient:$white-$sky" \
    -fill '#E8B830' -stroke '#8A6010' -strokewidth 2 -draw 'polygon 12,24 40,24 48,32 92,32 92,84 12,84' \
    -fill '#F8D058' -draw 'polygon 12,40 92,40 92,84 12,84' \
    -fill "$lime" -stroke "$navy" -strokewidth 2 -draw 'circle 52,62 63,62' \
    -stroke "$navy" -draw 'line 52,62 30,92' -draw 'line 52,62 74,92' \
    -fill "$lime" -draw 'circle 30,92 35,92' -draw 'circle 74,92 79,92' \
    "${jpeg[@]}" "JPEG:$out/Folder.jpg"

# --- Connection: a column of peers linked to a globe --------------------------
draw_network connection_web \
    "40,200 90,230 140,195 60,255 120,262" "0-1 1-2 0-3 3-1 1-4 2-4" 8 "$navy" "$lime" "$navy" 2
convert -size 177x281 "gradient:$white-$sky" \
    -fill "#3C78D8" -stroke "$navy" -strokewidth 2 -draw 'circle 88,80 88,20' \
    -fill none -stroke "#BFD8FF" -strokewidth 2 -draw 'ellipse 88,80 26,60 0,360' \
    -draw 'ellipse 88,80 60,22 0,360' -draw 'line 28,80 148,80' -draw 'line 88,20 88,140' \
    -stroke "$navy" -strokewidth 3 -draw 'line 88,140 90,230' \
    "${connection_web[@]}" \
    "${jpeg[@]}" "JPEG:$out/Connection.jpg"

# --- ToolbarBanner: a band with a chain of peers ------------------------------
chain=""
links=""
for i in $(seq 0 11); do
    chain+="$((40 + i * 54)),$((i % 2 == 0 ? 22 : 36)) "
    ((i > 0)) && links+="$((i - 1))-$i "
done
draw_network banner_web "$chain" "$links" 6 "$white" "$lime" "$navy" 2
convert -size 56x675 "gradient:$navy-$sky" -rotate 90 \
    -fill none -stroke '#FFFFFF40' -strokewidth 2 -draw 'line 0,45 675,45' \
    "${banner_web[@]}" \
    "${jpeg[@]}" "JPEG:$out/ToolbarBanner.jpg"

# --- ToolbarStrip: a thin band with small dots --------------------------------
dots=()
for i in $(seq 0 55); do
    dots+=(-draw "circle $((6 + i * 12)),12 $((8 + i * 12)),12")
done
convert -size 24x674 "gradient:$sky-$white" -rotate 270 \
    -fill "$blue" -stroke none "${dots[@]}" \
    -stroke "$navy" -strokewidth 1 -draw 'line 0,23 673,23' \
    "${jpeg[@]}" "JPEG:$out/ToolbarStrip.jpg"

# --- ReadyToInstall: a box with an arrow going into it ------------------------
convert -size 193x164 "gradient:$white-$sky" \
    -fill '#C89048' -stroke '#6A4010' -strokewidth 2 -draw 'polygon 40,80 152,80 152,150 40,150' \
    -fill '#E0B070' -draw 'polygon 40,80 20,60 132,60 152,80' \
    -fill '#A87030' -draw 'polygon 152,80 172,60 172,128 152,150' \
    -fill "$lime" -stroke "$navy" -strokewidth 2 -draw 'polygon 84,8 108,8 108,44 124,44 96,74 68,44 84,44' \
    "${jpeg[@]}" "JPEG:$out/ReadyToInstall.jpg"

# --- Finished: a tick in a ring on a plain key colour (8-bit BMP) -------------
# Drawn without anti-aliasing, so no pixel blends into the key colour and the
# transparent parts are exactly the key.
key='#FF00FF'
# The ring: 24 steps from navy to sky blue, each a flat colour (more than 16
# colours, so ImageMagick writes 8 bits per pixel rather than 4).
ring=()
for i in $(seq 0 23); do
    ring+=(-fill "$(printf '#%02X%02X%02X' $((i * 166 / 23)) $((i * 202 / 23)) $((128 + i * 112 / 23)))"
           -draw "circle 104,104 104,$((6 + i))")
done
convert -size 209x209 "xc:$key" +antialias -stroke none \
    "${ring[@]}" \
    -fill "$white" -draw 'circle 104,104 104,30' \
    -fill "$leaf" -draw 'polygon 52,108 70,90 94,114 146,62 164,80 94,150' \
    -fill "$lime" -draw 'polygon 58,108 70,96 94,120 146,68 158,80 94,144' \
    -strip -type Palette -compress None "BMP3:$out/Finished.bmp"

# --- Error: a warning sign -----------------------------------------------------
convert -size 121x122 "gradient:$white-#FFE0E0" \
    -fill '#E02020' -stroke '#801010' -strokewidth 3 -draw 'polygon 60,8 114,110 6,110' \
    -fill "$white" -stroke none -draw 'polygon 55,40 65,40 63,80 57,80' -draw 'circle 60,94 66,94' \
    "${jpeg[@]}" "JPEG:$out/Error.jpg"

# --- Search: a magnifier over a column of disks --------------------------------
disks=()
for y in 40 90 140; do
    disks+=(-fill '#C0C8D8' -stroke "$navy" -strokewidth 2 -draw "roundrectangle 20,$y 110,$((y + 36)) 6,6"
            -fill "$lime" -stroke none -draw "circle 96,$((y + 18)) 100,$((y + 18))")
done
convert -size 160x202 "gradient:$white-$sky" \
    "${disks[@]}" \
    -fill '#FFFFFF80' -stroke "$navy" -strokewidth 6 -draw 'circle 104,92 104,56' \
    -stroke "$navy" -strokewidth 10 -draw 'line 128,118 152,146' \
    "${jpeg[@]}" "JPEG:$out/Search.jpg"

# --- Upgraded: one peer lifted above the others by an arrow --------------------
draw_network upgraded_web \
    "40,250 110,270 190,250 270,272 340,248 190,90" "0-1 1-2 2-3 3-4 2-5" 12 "$white" "$lime" "$navy" 3
convert -size 383x302 "gradient:$sky-$white" \
    "${upgraded_web[@]}" \
    -fill "$lime" -stroke "$navy" -strokewidth 2 -draw 'polygon 176,200 204,200 204,150 222,150 190,118 158,150 176,150' \
    "${jpeg[@]}" "JPEG:$out/Upgraded.jpg"

echo "wrote the pictures to $out"
