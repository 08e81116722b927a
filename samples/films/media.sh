#!/usr/bin/env bash
# media.sh DEST: the films of films.toml.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/films"
film "$1/films/rouge.avi" '#C02020'
film "$1/films/bleu.avi" '#2040C0'
film "$1/films/vert.avi" '#20A040'
