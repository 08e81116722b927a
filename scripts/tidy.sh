#!/usr/bin/env bash
# clang-tidy over every C++ file of the tree (.clang-tidy holds the checks):
# the portable code from the native build, the Windows code from the 64-bit
# Windows build (clang reads it as MinGW code). Exit code 1 on any warning.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for preset in native windows64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" # generated headers and test data
  # Clang knows only UTF-8 as the execution character set; the texts'
  # encoding does not matter to the checks.
  mkdir -p "$work/$preset"
  sed 's/ -fexec-charset=CP1252//' "build/$preset/compile_commands.json" >"$work/$preset/compile_commands.json"
  files=$(python3 -c '
import json, sys
seen = {e["file"] for e in json.load(open(sys.argv[1]))}
for f in sys.argv[3:]:
    if sys.argv[2] + "/" + f in seen: print(f)' "$work/$preset/compile_commands.json" "$root" $(git ls-files '*.cpp'))
  extra=()
  if [ "$preset" = windows64 ]; then
    gcc=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix | tail -1)
    extra=(--extra-arg=--target=x86_64-w64-mingw32 "--extra-arg=-isystem$gcc/include/c++"
      "--extra-arg=-isystem$gcc/include/c++/x86_64-w64-mingw32")
  fi
  # shellcheck disable=SC2086
  found=$(clang-tidy -p "$work/$preset" --quiet "${extra[@]}" \
    -header-filter="$root/(quiz|checking|authoring|quizzpack|atelier|ui|resources|tests|bench)/" $files 2>/dev/null |
    grep -E 'warning:|error:' || true)
  if [ -n "$found" ]; then
    echo "$found"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "tidy: clean"
exit "$status"
