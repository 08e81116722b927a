#!/usr/bin/env bash
# The distribution on a machine that has never built the project: unpacked
# into an empty folder, in a Wine prefix of its own made for the occasion,
# quizzpack writes, checks and packs a new quiz from the player beside it,
# and that quiz and a sample each play (tests/robot/play_robot.cpp), and so
# do their web pages, made by the same quizzpack, in Chromium. Every
# shipped sample source builds as it stands in the zip, and a shipped sample
# extracted beside its source folder gives that source back as written. The
# atelier makes a picture quiz of two of a sample's pictures, as a teacher
# would (tests/robot/teacher_robot.cpp), and it plays.
#   tests/dist/dist_test.sh ZIP PRESET      (the preset whose build made it)
set -euo pipefail
zip=$(realpath "$1")
preset=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
robot=$root/build/$preset/tests/robot/play_robot.exe
teacher=$root/build/$preset/tests/robot/teacher_robot.exe
if [ "$preset" = windows ]; then wine=/usr/lib/wine/wine; else wine=/usr/lib/wine/wine64; fi

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
"$root/scripts/wine-prefix.sh" "$wine"

unzip -q "$zip" -d "$work"
cd "$work"/quizz-*/
"$wine" quizzpack.exe new essai.toml --layout texte
sed -i 's/^titre = .*/titre = "Mon premier quiz"/' essai.toml
"$wine" quizzpack.exe check essai.toml
"$wine" quizzpack.exe build essai.toml
"$wine" "$robot" essai.exe "Mon premier quiz" " 1 / 3" Paris Lyon
"$wine" "$robot" 'exemples\capitales.exe' "Capitales d'Europe" " 2 / 8" Paris Rome
# The same quiz as a web page, from the empty page beside quizzpack, played
# in a browser; and a sample's page as shipped.
"$wine" quizzpack.exe page essai.toml
bounded_node() { timeout 120 node "$@"; }
bounded_node "$root/tests/dist/play_page.mjs" essai.html "Mon premier quiz" "1 / 3" Paris Lyon
bounded_node "$root/tests/dist/play_page.mjs" exemples/capitales.html "Capitales d'Europe" "2 / 8" \
  Paris Rome
samples=0
for source in exemples/*/*.toml; do
  sample=$(basename "$source" .toml)
  "$wine" quizzpack.exe build "exemples\\$sample\\$sample.toml" -o "$sample-refait.exe"
  samples=$((samples + 1))
done
[ "$samples" -ge 6 ] || { echo "dist_test: $samples sample sources in the zip" >&2; exit 1; }
# drapeaux's pictures are JPEGs the player shows as they are: its source
# comes back byte for byte (converted pictures come back under the name of
# what is stored, .jpg).
"$wine" quizzpack.exe extract 'exemples\drapeaux.exe'
cmp exemples/drapeaux/drapeaux.toml exemples/drapeaux-2/drapeaux.toml
mkdir atelier
"$wine" "$teacher" atelier.exe make "$PWD/atelier/formes.toml" "Mes formes" \
  "$PWD/exemples/formes/images/cercle.png" "$PWD/exemples/formes/images/carre.png"
"$wine" "$robot" 'atelier\formes.exe' "Mes formes" " 1 / 2" cercle
echo "Distribution $(basename "$zip"): unpacked, a quiz packed, it and a sample play," \
  "and as web pages, the $samples sample sources build, a sample extracts as written, the atelier makes a" \
  "quiz that plays"
