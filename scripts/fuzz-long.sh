#!/usr/bin/env bash
# Runs every fuzz target for a long time (10 minutes each by default; give
# the seconds as the first argument). CI keeps its short bounded run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-600}
cmake --preset fuzz -DQUIZZ_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz --timeout $((seconds + 120)) --verbose | grep -E 'Done [0-9]+ runs|stat::number_of_executed_units|Test +#|tests passed'
