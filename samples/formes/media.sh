#!/usr/bin/env bash
# media.sh DEST: the pictures of formes.toml, grey shapes, then green ones
# on yellow for the reveal.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/images"
for name in cercle carre triangle etoile losange hexagone; do
  picture "$1/images/$name.jpg" "$name" '#B0B0B0'
  picture "$1/images/$name-trouve.jpg" "$name" '#30A040' '#FFF3B0'
done
