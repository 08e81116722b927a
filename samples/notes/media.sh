#!/usr/bin/env bash
# media.sh DEST: the notes of notes.toml, the scale from middle C.
source "$(dirname "$0")/../media-tools.sh"
mkdir -p "$1/sons"
note "$1/sons/do.mp3" 261.63
note "$1/sons/re.mp3" 293.66
note "$1/sons/mi.mp3" 329.63
note "$1/sons/fa.mp3" 349.23
note "$1/sons/sol.mp3" 392.00
note "$1/sons/la.mp3" 440.00
note "$1/sons/si.mp3" 493.88
