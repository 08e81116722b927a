#!/usr/bin/env bash
# Writes the sounds and films the media tests carry as resources, and the
# resource script that names them: make_test_media.sh OUTPUT_DIR.
# Sounds 401 and 402 (MP3 tones), films 401 to 405 (MJPEG AVI, one clip);
# both kinds use the same identifiers, so they go into two scripts.
set -euo pipefail
out=$1
mkdir -p "$out"
ffmpeg() { command ffmpeg -loglevel error -y "$@"; }
ffmpeg -f lavfi -i "sine=frequency=440:duration=2" -b:a 32k "$out/401.mp3"
ffmpeg -f lavfi -i "sine=frequency=660:duration=2" -b:a 32k "$out/402.mp3"
ffmpeg -f lavfi -i "testsrc=size=160x120:rate=10:duration=2" -c:v mjpeg -q:v 8 "$out/film.avi"
{
  echo '401 IMG "401.mp3"'
  echo '402 IMG "402.mp3"'
} > "$out/test_sounds.rc"
for i in $(seq 401 405); do echo "$i IMG \"film.avi\""; done > "$out/test_films.rc"
