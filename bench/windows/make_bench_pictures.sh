#!/usr/bin/env bash
# One 640 x 480 JPEG, named 180 times: the question and reveal pictures of a
# 90-question quiz. make_bench_pictures.sh OUTPUT_DIR
set -euo pipefail
out=$1
mkdir -p "$out"
/usr/bin/convert -size 640x480 plasma:fractal -seed 7 -quality 85 "$out/picture.jpg"
for i in $(seq 1 90); do
  echo "$((400 + i)) IMG \"picture.jpg\""
  echo "$((10400 + i)) IMG \"picture.jpg\""
done > "$out/bench_pictures.rc"
