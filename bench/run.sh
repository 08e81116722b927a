#!/usr/bin/env bash
# Every benchmark, printing the figures that docs/benchmarks.md quotes:
#   bench/run.sh            prints them
#   bench/run.sh --write    also puts them into docs/benchmarks.md, between the
#                           bench:begin and bench:end marks
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target lzw_tool grade_bench source_bench page_bench_quiz quiz_page \
  bilan_bench \
  >/dev/null
preset=$(scripts/windows-test-preset.sh)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quizz panel_bench start_bench >/dev/null

# A Windows program under Wine, on a display of its own.
windows() {
  xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24" \
    "build/$preset/wine-run.sh" "$@" 2>/dev/null | grep -av 'fixme'
}

# The page benchmark's quizzes: 90 photos with a camera's grain, and 90
# smooth drawings, which a build stores in far fewer bytes.
pages=build/native/bench/pages
mkdir -p "$pages/photos" "$pages/drawings"
for i in $(seq 1 90); do
  [ -f "$pages/photos/photo$i.jpg" ] ||
    /usr/bin/convert -size 640x480 plasma:fractal -seed "$i" -attenuate 0.5 +noise Gaussian \
      -quality 85 "$pages/photos/photo$i.jpg"
  [ -f "$pages/drawings/photo$i.jpg" ] ||
    /usr/bin/convert -size 640x480 plasma:fractal -seed "$i" -quality 85 "$pages/drawings/photo$i.jpg"
done

figures=$(mktemp)
trap 'rm -f "$figures"' EXIT
{
  echo "$(date -u +%F), $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)"
  echo
  python3 bench/codec_bench.py build/native/bench/lzw_tool
  echo
  echo "grading one answer (Google Benchmark, mean of 3 repetitions):"
  build/native/bench/grade_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    2>/dev/null | grep '_mean'
  echo
  echo "reading a source with a 400 KB line of strings (Google Benchmark, one run):"
  build/native/bench/source_bench 2>/dev/null | grep '^BM_'
  echo
  echo "the web page (bytes, then headless Chromium):"
  build/native/bench/page_bench_quiz build/native/bin/quizz.html "$pages/drawings" "$pages" |
    sed -n 's/^pictures90.html/drawings90.html/p'
  build/native/bench/page_bench_quiz build/native/bin/quizz.html "$pages/photos" "$pages"
  node bench/page_bench.mjs "$pages/text3.html" "$pages/pictures90.html"
  echo
  build/native/bench/bilan_bench
  echo
  windows "build/$preset/bench/windows/panel_bench.exe"
  echo
  windows "build/$preset/bench/windows/start_bench.exe" "build/$preset/bin/quizz.exe" \
    "build/$preset/bench/windows/pictures/photo.jpg"
} | tee "$figures"

if [ "${1:-}" = --write ]; then
  python3 - "$figures" <<'PY'
import re, sys
figures = open(sys.argv[1], encoding="utf-8").read().rstrip("\n")
page = open("docs/benchmarks.md", encoding="utf-8").read()
block = "<!-- bench:begin -->\n```\n" + figures + "\n```\n<!-- bench:end -->"
new, count = re.subn(r"<!-- bench:begin -->.*?<!-- bench:end -->", lambda m: block, page, flags=re.S)
if count != 1:
    sys.exit("bench/run.sh: docs/benchmarks.md lacks its bench:begin and bench:end marks")
open("docs/benchmarks.md.new", "w", encoding="utf-8").write(new)
PY
  mv docs/benchmarks.md.new docs/benchmarks.md
  echo "docs/benchmarks.md: figures updated"
fi
