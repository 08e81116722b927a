# Helpers for the samples' media scripts, which source this file. Every
# picture, sound and film of the samples is made here, from shapes, colours
# and musical notes: nothing is downloaded.
set -euo pipefail

# ImageMagick's own convert: a stand-in of that name may come first in PATH.
CONVERT=/usr/bin/convert
if ! "$CONVERT" -version 2>/dev/null | grep -q ImageMagick; then
  echo "samples: ImageMagick's convert is needed at $CONVERT (Debian imagemagick)" >&2
  exit 1
fi
command -v ffmpeg >/dev/null || { echo "samples: ffmpeg is needed (Debian ffmpeg)" >&2; exit 1; }

# The same files on every run: no dates, no encoder tags.
FFMPEG=(ffmpeg -loglevel error -y)
OUTPUT=(-map_metadata -1 -fflags +bitexact -flags:v +bitexact -flags:a +bitexact)

# shape NAME: the ImageMagick drawing of a shape in a 240 × 240 square.
shape() {
  case "$1" in
    cercle) echo "circle 120,120 120,32" ;;
    carre) echo "rectangle 45,45 195,195" ;;
    triangle) echo "polygon 120,30 208,196 32,196" ;;
    etoile) echo "polygon 120,30 142,89 206,92 156,132 173,193 120,158 67,193 84,132 34,92 98,89" ;;
    losange) echo "polygon 120,26 206,120 120,214 34,120" ;;
    hexagone) echo "polygon 208,120 164,196 76,196 32,120 76,44 164,44" ;;
    *) echo "samples: unknown shape $1" >&2; return 1 ;;
  esac
}

# picture FILE SHAPE FILL [BACKGROUND]: a picture of a filled shape, of the
# kind FILE's extension names (JPEG, PNG, GIF, BMP, TIFF), as teachers have
# them; a BACKGROUND of none leaves it transparent.
picture() {
  "$CONVERT" -size 240x240 "xc:${4:-white}" -fill "$3" -stroke '#202020' -strokewidth 4 \
    -draw "$(shape "$2")" -strip -quality 80 "$1"
}

# photo FILE SHAPE FILL: the same as a large progressive JPEG, as a camera
# or a phone gives, which quizzpack reduces.
photo() {
  "$CONVERT" -size 240x240 xc:white -fill "$3" -stroke '#202020' -strokewidth 4 \
    -draw "$(shape "$2")" -resize 1600x1600 -interlace JPEG -strip -quality 90 "$1"
}

# flag FILE ORIENTATION COLOUR COLOUR COLOUR: a JPEG of a flag of three
# bands, side by side (v) or one above the other (h).
flag() {
  local file=$1 orientation=$2 size join
  shift 2
  if [ "$orientation" = v ]; then size=80x160 join=+append; else size=240x54 join=-append; fi
  "$CONVERT" -size "$size" "xc:$1" "xc:$2" "xc:$3" "$join" -strip -quality 85 "$file"
}

# note FILE FREQUENCY: an MP3 of one second of that note, fading out.
note() {
  "${FFMPEG[@]}" -f lavfi -i "sine=frequency=$2:duration=1:sample_rate=22050" \
    -af "volume=0.6,afade=t=out:st=0.5:d=0.5" -ac 1 -codec:a libmp3lame -b:a 32k "${OUTPUT[@]}" "$1"
}

# film FILE COLOUR: a two-second MJPEG AVI, a white square crossing a field
# of the colour.
film() {
  "${FFMPEG[@]}" -f lavfi -i "color=c=$2:s=160x120:r=8:d=2" \
    -vf "drawbox=x='t*60':y=40:w=40:h=40:color=white:t=fill" \
    -codec:v mjpeg -q:v 8 -pix_fmt yuvj420p "${OUTPUT[@]}" "$1"
}
