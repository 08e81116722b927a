#!/usr/bin/env bash
# media.sh DEST: the pictures of formes.toml, grey shapes on a transparent
# ground (the quiz's colour shows through), then green ones on yellow for
# the reveal.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/images"
for name in cercle carre triangle etoile losange hexagone; do
  picture "$1/images/$name.png" "$name" '#B0B0B0' none
  picture "$1/images/$name-trouve.jpg" "$name" '#30A040' '#FFF3B0'
done
