#!/usr/bin/env bash
# media.sh DEST: the pictures of couleurs.toml, one shape of each colour.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/images"
picture "$1/images/rouge.jpg" cercle '#D02020'
picture "$1/images/bleu.jpg" carre '#2050D0'
picture "$1/images/vert.jpg" triangle '#20A040'
picture "$1/images/jaune.jpg" etoile '#F0D020'
picture "$1/images/violet.jpg" losange '#8030B0'
picture "$1/images/orange.jpg" hexagone '#F08020'
