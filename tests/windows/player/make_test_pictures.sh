#!/usr/bin/env bash
# Writes the pictures the panel tests carry as resources, and the resource
# script that names them: make_test_pictures.sh OUTPUT_DIR.
# Question pictures of several shapes, one missing (406), one that is not a
# picture (407); reveal pictures for questions 1 and 4; for the loading in
# the background, questions 8 to 30 show the 1024 x 768 picture, and 28 and
# 30 have the 300 x 150 reveal picture.
set -euo pipefail
out=$1
mkdir -p "$out"
convert=/usr/bin/convert
picture() { "$convert" -size "$2" "gradient:$3" -quality 80 "$out/$1.jpg"; }
picture 401 640x480 red-yellow
picture 402 480x640 blue-white
picture 403 1024x768 green-black
picture 404 100x50 orange-purple
picture 405 260x260 grey-pink
picture 10401 300x150 white-green
picture 10404 640x480 yellow-blue
printf 'this is not a picture\n' > "$out/407.txt"
{
  for id in 401 402 403 404 405 10401 10404; do echo "$id IMG \"$id.jpg\""; done
  echo '407 IMG "407.txt"'
  for i in $(seq 408 430); do echo "$i IMG \"403.jpg\""; done
  for id in 10428 10430; do echo "$id IMG \"10401.jpg\""; done
} > "$out/test_pictures.rc"
