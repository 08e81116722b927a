#!/usr/bin/env bash
# Every benchmark, printing the figures that the README quotes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target lzw_tool grade_bench
python3 bench/codec_bench.py build/native/bench/lzw_tool
build/native/bench/grade_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
preset=$(scripts/windows-test-preset.sh)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target panel_bench
xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24" "build/$preset/wine-run.sh" "build/$preset/bench/windows/panel_bench.exe"
