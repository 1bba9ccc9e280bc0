#!/usr/bin/env bash
# Draws the program's pictures into res/images: the icon at the sizes the desktop asks for and
# the splash picture (520 by 317). The PNG files are kept in the repository, so building needs
# none of this; run it again after changing the drawing (needs ImageMagick and DejaVu fonts).
set -euo pipefail
cd "$(dirname "$0")/../images"

navy='#0f3458'
blue='#1f6fa8'
sky='#3f9ad6'
accent='#f39c32'
paper='#f7fafc'
line='#9fc3df'
bold=DejaVu-Sans-Bold
book=DejaVu-Sans

# The emblem: two stacked panes (the window's two regions) on a blue tile, an orange double
# arrow across them for the copy between the regions. Drawn at 256 pixels, scaled down.
emblem() {
    local out=$1
    convert -size 256x256 gradient:"$sky-$navy" \
        \( -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 44,44' \) \
        -compose CopyOpacity -composite -compose Over \
        -fill "$paper" -stroke none \
        -draw 'roundrectangle 44,46 212,118 12,12' \
        -draw 'roundrectangle 44,138 212,210 12,12' \
        -stroke "$line" -strokewidth 5 \
        -draw 'line 98,58 98,106' -draw 'line 98,150 98,198' \
        -draw 'line 114,66 192,66' -draw 'line 114,82 176,82' -draw 'line 114,98 186,98' \
        -draw 'line 114,158 186,158' -draw 'line 114,174 170,174' -draw 'line 114,190 190,190' \
        -stroke "$navy" -strokewidth 6 \
        -draw 'line 58,66 84,66' -draw 'line 64,82 84,82' -draw 'line 58,158 84,158' -draw 'line 64,174 84,174' \
        -stroke white -strokewidth 30 -draw 'line 160,86 160,170' \
        -stroke "$accent" -strokewidth 16 -draw 'line 160,90 160,166' \
        -stroke white -strokewidth 6 -fill "$accent" \
        -draw 'polygon 160,52 190,92 130,92' -draw 'polygon 160,204 190,164 130,164' \
        -stroke none -fill "$accent" -draw 'rectangle 153,88 167,168' \
        "$out"
}

emblem icon-256.png
convert icon-256.png -depth 8 PNG32:icon-256.png
for size in 16 24 32 48 64 128; do
    convert icon-256.png -filter Lanczos -resize ${size}x${size} -depth 8 PNG32:icon-$size.png
done

# The splash: the emblem on the left, the name and what the program is on the right, over a
# dark blue field with a light band and an orange rule.
convert -size 317x520 gradient:"$blue-$navy" -rotate -90 \
    -fill 'rgba(255,255,255,0.06)' -draw 'polygon 300,0 420,0 220,317 100,317' \
    -fill 'rgba(255,255,255,0.04)' -draw 'polygon 440,0 480,0 280,317 240,317' \
    \( icon-256.png -resize 168x168 \( +clone -background black -shadow 60x8+0+6 \) +swap \
       -background none -layers merge +repage \) -geometry +34+64 -composite \
    -font "$bold" -fill white -pointsize 44 -annotate +232+128 'Ferrix FTP' \
    -fill "$accent" -stroke none -draw 'rectangle 234,146 486,149' \
    -font "$book" -fill '#dbe9f5' -pointsize 16 -annotate +234+180 'Two-pane file transfer' \
    -annotate +234+202 'for your desktop' \
    -fill '#a9c7e0' -pointsize 11 -annotate +234+288 'Copyright (C) 2026 Ferrix Software' \
    -fill '#a9c7e0' -pointsize 11 -annotate +34+288 'Starting...' \
    -fill none -stroke 'rgba(255,255,255,0.25)' -strokewidth 1 -draw 'rectangle 0,0 519,316' \
    -alpha off -depth 8 PNG24:splash.png
