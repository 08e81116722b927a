#!/usr/bin/env bash
# media.sh DEST: the pictures of formes.toml, grey shapes on a transparent
# ground (the quiz's colour shows through), then green ones on yellow for
# the reveal, and the quiz's icon: three shapes in colour on a transparent
# ground.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/images"
for name in cercle carre triangle etoile losange hexagone; do
  picture "$1/images/$name.png" "$name" '#B0B0B0' none
  picture "$1/images/$name-trouve.jpg" "$name" '#30A040' '#FFF3B0'
done
"$CONVERT" -size 256x256 xc:none -stroke '#202020' -strokewidth 8 \
  -fill '#E04040' -draw "circle 76,76 76,16" -fill '#30A040' -draw "rectangle 140,20 236,116" \
  -fill '#3070E0' -draw "polygon 128,136 236,236 20,236" -define png:exclude-chunks=date,time \
  "$1/images/icone.png"
