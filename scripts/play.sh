#!/usr/bin/env bash
# Builds the player and the sample quizzes, and opens one as a user would:
# in a window on your display, or, without a display, in a virtual one whose
# screenshot it saves and names.
#   scripts/play.sh [SAMPLE]      SAMPLE: a folder of samples/ (default formes)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
sample=${1:-formes}

# The shipped 32-bit player, and the build that this machine's Wine can run
# (the same, or its 64-bit twin where 32-bit code cannot run).
cmake --preset windows >/dev/null
cmake --build --preset windows --target quizz quizzpack
preset=$(scripts/windows-test-preset.sh)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quizz quizzpack
scripts/build-samples.sh "$preset"

quiz=$PWD/build/$preset/samples/$sample.exe
[ -f "$quiz" ] || { echo "play: no sample named $sample (see samples/)" >&2; exit 2; }
run=$PWD/build/$preset/wine-run.sh
cd "$(dirname "$quiz")" # the answers file is kept beside the quiz
if [ -n "${DISPLAY:-}" ]; then
  exec "$run" explorer /desktop=quizz,1024x768 "$quiz"
fi

shot=$PWD/$sample.png
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display "$run" explorer /desktop=quizz,1024x768 "$quiz" &
sleep 10
DISPLAY=$display import -window root "$shot"
WINEPREFIX=$(dirname "$run")/wineprefix wineserver -k 2>/dev/null || true
echo "No display here: the quiz ran in a virtual one. Screenshot: $shot"
