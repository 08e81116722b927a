#!/usr/bin/env bash
# Runs every fuzz target for a long time, one after the other (10 minutes
# each by default; give the seconds as the first argument), on the corpora
# the short runs grew. CI keeps its short bounded run, and this leaves the
# build's settings as they were.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-600}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
dir=build/fuzz/tests/fuzz
for target in lzw_fuzz payload_fuzz quiz_source_fuzz; do
  echo "$target: $seconds s"
  "$dir/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    "$dir/${target}_corpus" 2>&1 | grep -aE '^Done [0-9]+ runs|stat::number_of_executed_units|ERROR|SUMMARY|crash-'
done
echo "fuzz-long: no finding"
