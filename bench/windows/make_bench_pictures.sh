#!/usr/bin/env bash
# One 640 x 480 JPEG, named 180 times: the question and reveal pictures of a
# 90-question quiz; and a 1600 x 1200 photo of about 600 KB, as phones take
# them. make_bench_pictures.sh OUTPUT_DIR
set -euo pipefail
out=$1
mkdir -p "$out"
/usr/bin/convert -size 640x480 plasma:fractal -seed 7 -quality 85 "$out/picture.jpg"
/usr/bin/convert -size 1600x1200 plasma:fractal -seed 11 -attenuate 0.7 +noise Gaussian -quality 87 \
  "$out/photo.jpg"
for i in $(seq 1 90); do
  echo "$((400 + i)) IMG \"picture.jpg\""
  echo "$((10400 + i)) IMG \"picture.jpg\""
done > "$out/bench_pictures.rc"
