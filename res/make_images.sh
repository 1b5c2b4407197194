#!/bin/sh
# Draws the program's pictures with ImageMagick: the two header bitmaps, the button images,
# the publisher logo and the program icon. The results are committed; run this only to change
# them (needs `convert` and the DejaVu fonts).
set -eu
cd "$(dirname "$0")"

BOLD=DejaVu-Sans-Bold
SANS=DejaVu-Sans
# The light grey that LR_LOADMAP3DCOLORS turns into the button face.
FACE='rgb(192,192,192)'

# The large pictures are stored with a palette of their 256 main colours, run-length encoded:
# on screen they look the same as with 24 bits, at a tenth of the size.
PALETTE='+dither -colors 256 -type Palette -compress RLE'

# header FILE TOP BOTTOM ACCENT SUBTITLE: 736 x 64. The emblem sits left, the name
# beside it; the middle stays calm for the two buttons at x 420..480.
header() {
  convert -size 64x736 gradient:"$2"-"$3" -rotate 270 \
    \( -size 736x64 gradient:'rgba(255,255,255,0.28)'-'rgba(255,255,255,0)' -crop 736x30+0+0 \) \
    -geometry +0+0 -composite \
    -fill "$4" -draw "roundrectangle 16,10 59,53 9,9" \
    -fill 'rgba(255,255,255,0.25)' -draw "roundrectangle 18,12 57,30 8,8" \
    -fill white -draw "rectangle 24,21 51,26" -draw "rectangle 35,21 40,46" \
    -fill white -draw "rectangle 24,40 31,43" -draw "rectangle 44,34 51,37" \
    -fill "$4" -stroke white -strokewidth 1 -draw "circle 28,41 30,43" -draw "circle 47,35 49,37" \
    -stroke none -fill white -font "$BOLD" -pointsize 22 -annotate +72+33 "Tavo Trimmwerk" \
    -fill 'rgba(255,255,255,0.85)' -font "$SANS" -pointsize 11 -annotate +73+51 "$5" \
    -fill 'rgba(255,255,255,0.10)' -draw "circle 690,32 760,32" -draw "circle 610,80 660,80" \
    -fill 'rgba(255,255,255,0.90)' -font "$BOLD" -pointsize 11 -annotate +640+54 "Version 3.0" \
    $PALETTE "BMP3:$1"
}

header header_xp.bmp '#0b3d91' '#3d7ad6' '#f08a1c' "Windows XP einfach und sicher optimieren"
header header_vista.bmp '#0c1f2c' '#2a6a86' '#3fb0d8' "Windows Vista einfach und sicher optimieren"

# arrow FILE ANGLE: 16 x 16, palette with the button-face grey as background.
arrow() {
  convert -size 16x16 xc:"$FACE" -fill '#1c4fa0' -stroke '#0b2f6b' -strokewidth 1 \
    -draw "polygon 10,3 10,12 5,7.5" -rotate "$2" -type Palette "BMP3:$1"
}
arrow arrow_left.bmp 0
arrow arrow_right.bmp 180

# The info button's image, 20 x 20.
convert -size 20x20 xc:"$FACE" -fill '#2a63c4' -stroke '#123f8a' -draw "circle 9.5,9.5 9.5,1" \
  -stroke none -fill white -draw "rectangle 8,8 11,15" -draw "circle 9.5,5 9.5,3.6" \
  -type Palette "BMP3:info.bmp"

# The publisher's logo, 100 x 40.
convert -size 100x40 xc:white -fill '#0b3d91' -draw "roundrectangle 2,4 36,36 7,7" \
  -fill '#f08a1c' -draw "polygon 10,12 28,12 28,17 22,17 22,30 16,30 16,17 10,17" \
  -fill '#0b3d91' -font "$BOLD" -pointsize 20 -annotate +41+27 "Tavo" \
  -fill '#6b7a90' -font "$SANS" -pointsize 7 -annotate +42+35 "SOFTWARE" \
  $PALETTE "BMP3:logo.bmp"

# The program icon: the header's emblem at 48, 32 and 16 pixels.
icon() {
  convert -size 48x48 xc:none -fill '#f08a1c' -draw "roundrectangle 1,1 46,46 10,10" \
    -fill '#0b3d91' -draw "roundrectangle 4,4 43,43 8,8" \
    -fill white -draw "rectangle 11,11 36,17" -draw "rectangle 20,11 27,38" \
    -fill '#f08a1c' -draw "circle 14,33 17,36" -draw "circle 33,26 36,29" \
    -resize "$1x$1" "png32:icon$1.png"
}
icon 48
icon 32
icon 16
convert icon16.png icon32.png icon48.png trimmwerk.ico
rm -f icon16.png icon32.png icon48.png
