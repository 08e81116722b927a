#!/usr/bin/env bash
# Packs every sample quiz into a preset's player, as a quiz maker would:
#   scripts/build-samples.sh [PRESET]      (windows by default)
# gives build/PRESET/samples/NAME.exe and NAME.html, its web page. Each sample's media are made first by
# its media.sh (ImageMagick, ffmpeg) beside a copy of its source in the build
# tree; each packed quiz is then extracted again, which checks that its
# source rebuilds the same resources. quizzpack runs under Wine
# (scripts/quizzpack.sh), from whichever build this machine can run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-windows}
player=$root/build/$preset/bin/quizz.exe
if [ ! -f "$player" ] || [ ! -f "$root/build/$preset/bin/quizz.html" ]; then
  (cd "$root" && cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" --target quizz quiz_page)
fi

out=$root/build/$preset/samples
mkdir -p "$out"
for source in "$root"/samples/*/*.toml; do
  name=$(basename "$source" .toml)
  work=$out/$name
  rm -rf "$work" "$out/$name.exe"
  mkdir -p "$work"
  cp "$source" "$work/"
  "$(dirname "$source")/media.sh" "$work"
  "$root/scripts/quizzpack.sh" build "$work/$name.toml" -o "$out/$name.exe" --player "$player"
  "$root/scripts/quizzpack.sh" extract "$out/$name.exe" -o "$work/extrait" >/dev/null
  # Browsers play no AVI: the page of a film quiz takes its films in WebM,
  # as a teacher converts them, from a copy of its folder of its own.
  page_source=$work/$name.toml
  if grep -q '\.avi"' "$page_source"; then
    page_work=$out/pages/$name
    rm -rf "$page_work"
    mkdir -p "$out/pages"
    cp -r "$work" "$page_work"
    rm -rf "$page_work/extrait"
    page_source=$page_work/$name.toml
    sed -i 's/\.avi"/.webm"/' "$page_source"
    for film in "$page_work"/*/*.avi; do
      ffmpeg -loglevel error -y -i "$film" -c:v libvpx -b:v 200k -an "${film%.avi}.webm"
      rm "$film"
    done
  fi
  "$root/scripts/quizzpack.sh" page "$page_source" -o "$out/$name.html" >/dev/null
done
echo "Samples packed into $out"
# Let the Wine session that ran quizzpack end before anything else starts:
# a program with a display must not join a session begun without one.
WINEPREFIX=$root/build/$("$root/scripts/windows-test-preset.sh")/wineprefix wineserver -w
