#!/usr/bin/env bash
# media.sh DEST: the pictures of couleurs.toml, one shape of each colour,
# each of another kind of picture file.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/images"
picture "$1/images/rouge.png" cercle '#D02020' none
picture "$1/images/bleu.gif" carre '#2050D0'
picture "$1/images/vert.bmp" triangle '#20A040'
picture "$1/images/jaune.tif" etoile '#F0D020'
photo "$1/images/violet.jpg" losange '#8030B0'
picture "$1/images/orange.jpg" hexagone '#F08020'
