#!/usr/bin/env bash
# Remakes the README's screenshots, one per layout, from the sample quizzes:
# each plays in a virtual display while a robot types a few answers (right,
# near and wrong ones), and the window is shot as it shows the verdicts; then
# two samples open in the atelier, a question shown and an answer tried; the
# bilan of a made-up class of 25 for a sample that asks for work; and
# a sample's web page in Chromium, at a phone's and a PC's size.
#   scripts/screenshots.sh      writes docs/screenshots/LAYOUT.png,
#                               docs/screenshots/atelier*.png, bilan-atelier.png
#                               and page-*.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
preset=$(scripts/windows-test-preset.sh)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quizz quizzpack atelier play_robot teacher_robot
scripts/build-samples.sh "$preset"

build=$root/build/$preset
out=$root/docs/screenshots
mkdir -p "$out"
display=:$((100 + $$ % 800))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
server=$!
trap 'WINEPREFIX=$build/wineprefix wineserver -k 2>/dev/null || true; kill $server 2>/dev/null || true' EXIT
sleep 1

# layout, sample, score after the answers, answers
shoot() {
  local layout=$1 sample=$2 score=$3
  shift 3
  local log=$build/samples/$sample.robot.log
  rm -f "$build/samples/$sample.txt" "$log"
  (cd "$build/samples" && DISPLAY=$display "$build/wine-run.sh" explorer /desktop=quizz,1024x768 \
    "$build/tests/robot/play_robot.exe" --hold 6 "$sample.exe" "$(title "$sample")" "$score" "$@" \
    >"$log" 2>&1) &
  local robot=$!
  for _ in $(seq 120); do
    grep -q "holding" "$log" 2>/dev/null && break
    sleep 0.5
  done
  sleep 1 # the last verdict painted
  # The player's window, centred on the virtual desktop.
  DISPLAY=$display import -window root -crop 870x650+77+59 +repage "$out/$layout.png"
  wait "$robot"
  # The desktop does not pass the robot's exit code on; its words tell.
  grep -q "plays" "$log" || { cat "$log" >&2; exit 1; }
  rm -f "$build/samples/$sample.txt" "$log" # the robot's answers are not the user's
  echo "$layout: $out/$layout.png"
}
title() { sed -n 's/^titre = "\(.*\)"$/\1/p' "$root/samples/$1/$1.toml"; }

# name, sample, question shown, answer tried
# Runs the teacher robot on the atelier with the arguments after the name
# and the desktop's size, and shoots the window it holds as $out/NAME.png.
shoot_robot() {
  local name=$1 desktop=$2
  shift 2
  local log=$build/samples/$name.robot.log
  rm -f "$log"
  (DISPLAY=$display "$build/wine-run.sh" explorer /desktop=quizz,$desktop \
    "$build/tests/robot/teacher_robot.exe" --hold 6 "$build/bin/atelier.exe" "$@" \
    >"$log" 2>&1) &
  local robot=$!
  for _ in $(seq 120); do
    grep -q "holding" "$log" 2>/dev/null && break
    sleep 0.5
  done
  local place
  place=$(sed -n 's/.*holding the window at \([0-9x+]*\) .*/\1/p' "$log")
  [ -n "$place" ] || { cat "$log" >&2; exit 1; }
  DISPLAY=$display import -window root -crop "$place" +repage "$out/$name.png"
  wait "$robot"
  grep -q "showed" "$log" || { cat "$log" >&2; exit 1; }
  rm -f "$log"
  echo "$name: $out/$name.png"
}

shoot_atelier() {
  local name=$1 sample=$2
  shift 2
  shoot_robot "$name" 1024x768 show "$build/samples/$sample/$sample.toml" "$@"
}

# The bilan of a class of 25 pupils made up by the robot, on a copy of a
# sample that asks for its pupils' work.
shoot_bilan() {
  local sample=$1
  local work=$build/samples/bilan
  mkdir -p "$work"
  sed 's/^revelation = \(.*\)$/revelation = \1\nrendre_travail = true/' \
    "$root/samples/$sample/$sample.toml" >"$work/$sample.toml"
  shoot_robot bilan-atelier 1100x820 bilan "$work/$sample.toml"
  rm -rf "$work"
}

shoot texte capitales " 2 / 8" Paris Rom Madird Lisbon Berlin
shoot image formes " 2 / 6" cercle carre triangle toile
shoot son notes " 1 / 7" do re im
shoot video films " 1 / 3" rouge bleue
shoot_atelier atelier formes 2 carre
shoot_atelier atelier-texte capitales 3 Madird
shoot_bilan capitales

# The web page of a sample, as the shipped quizzpack made it, played in
# Chromium at a phone's and a PC's size (tests/web/samples.test.js).
shots=$(mktemp -d)
QUIZZ_TEST_PAGES=$build/samples QUIZZ_SCREENSHOTS=$shots \
  timeout 600 node --test "$root/tests/web/samples.test.js" >/dev/null
cp "$shots/formes-phone.png" "$out/page-telephone.png"
cp "$shots/capitales-desktop.png" "$out/page-ordinateur.png"
rm -rf "$shots"
echo "page: $out/page-telephone.png $out/page-ordinateur.png"
