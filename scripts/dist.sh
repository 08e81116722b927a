#!/usr/bin/env bash
# Makes the distribution for quiz makers and players:
#   scripts/dist.sh [PRESET]      (windows, the 32-bit build, by default)
# gives build/PRESET/dist/quizz-VERSION.zip holding the player, the empty
# web page, the atelier and quizzpack side by side, the sample quizzes
# (packed, as web pages, and their sources
# with their media) and the French guide LISEZMOI.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
preset=${1:-windows}
version=$(sed -n 's/^project(Quizz VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quizz quizzpack atelier quiz_page
scripts/build-samples.sh "$preset"

build=$root/build/$preset
name=quizz-$version
stage=$build/dist/$name
rm -rf "$build/dist"
mkdir -p "$stage/exemples"
cp "$build/bin/quizz.exe" "$build/bin/quizz.html" "$build/bin/atelier.exe" "$build/bin/quizzpack.exe" \
  "$stage/"
# Notepad reads UTF-8 for sure with its byte order mark, and lines in CR LF.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' docs/LISEZMOI.txt; } > "$stage/LISEZMOI.txt"
for source in samples/*/*.toml; do
  sample=$(basename "$source" .toml)
  cp "$build/samples/$sample.exe" "$build/samples/$sample.html" "$stage/exemples/"
  # The source as the quiz maker wrote it, with the media it names (not the
  # copy that the packing check extracted).
  cp -r "$build/samples/$sample" "$stage/exemples/"
  rm -rf "$stage/exemples/$sample/extrait"
done
(cd "$build/dist" && zip -qr -X "$name.zip" "$name")
echo "Distribution: $build/dist/$name.zip"
