#!/usr/bin/env bash
# Writes pictures of the kinds teachers have (phone photos, scans, drawings
# saved by every program) for the picture conversion tests:
# make_real_pictures.sh OUTPUT_DIR. Each is made of plain areas of colour, so
# that a test can tell where each ended up once converted.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
convert=/usr/bin/convert
# Red above blue, the left half darker: where each quarter lands tells the
# orientation.
halves() { "$convert" -size "$1" xc:red xc:blue -append -resize "$1!" "${@:2}"; }

halves 4000x3000 -attenuate 0.3 +noise Gaussian -quality 92 photo.jpg
halves 800x600 -interlace JPEG -quality 85 progressive.jpg
halves 400x300 -colorspace CMYK -quality 90 cmyk.jpg
halves 800x600 -colorspace Gray -quality 90 grey.jpg
# A phone held upright: stored sideways, with the EXIF orientation that turns it.
halves 200x300 -rotate -90 -quality 90 sideways.jpg
python3 - sideways.jpg <<'PY'
import struct, sys
path = sys.argv[1]
jpeg = open(path, "rb").read()
tiff = b"MM\0\x2a" + struct.pack(">IH", 8, 1) + struct.pack(">HHIHH", 0x0112, 3, 1, 6, 0)
app1 = b"Exif\0\0" + tiff
open(path, "wb").write(jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + jpeg[2:])
PY
halves 200x150 -quality 90 small.jpg
halves 300x300 -colors 16 PNG8:palette.png
"$convert" -size 300x200 xc:none -fill red -draw 'circle 150,100 150,40' alpha.png
halves 300x200 -depth 16 deep.png
halves 200x100 drawing.gif
halves 1240x1754 -type TrueColor BMP3:scan.bmp
halves 1000x800 -compress lzw scan.tif
# Several frames, of which the player shows the first.
"$convert" -size 120x80 xc:red xc:blue xc:lime -set delay 50 -loop 0 animated.gif
"$convert" -size 200x100 xc:red xc:blue -compress lzw pages.tif
halves 640x480 -quality 80 picture.webp
# An icon as icon editors save them: several sizes, the largest not first.
halves 64x64 -define icon:auto-resize=16,64,32 several.ico
head -c 2000 photo.jpg > cut.jpg
printf 'ceci n est pas une image\n' > notes.jpg
