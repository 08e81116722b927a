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
# Every target ctest knows, with its own options, only for longer.
ctest --preset fuzz --show-only=json-v1 | python3 -c '
import json, shlex, sys
for test in json.load(sys.stdin)["tests"]:
    command = [a for a in test["command"] if not a.startswith("-max_total_time=")]
    print(shlex.join(command))
' | while read -r line; do
  eval "set -- $line"
  echo "$(basename "$1"): $seconds s"
  status=0
  "$@" -max_total_time="$seconds" </dev/null >build/fuzz/fuzz-long.log 2>&1 || status=$?
  grep -aE '^Done [0-9]+ runs|stat::number_of_executed_units|ERROR|SUMMARY|crash-' \
    build/fuzz/fuzz-long.log || true
  [ "$status" -eq 0 ] || { echo "fuzz-long: $(basename "$1") found something" >&2; exit 1; }
done
echo "fuzz-long: no finding"
