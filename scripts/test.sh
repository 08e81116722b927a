#!/usr/bin/env bash
# Builds every preset and runs every test: the portable core natively and
# under AddressSanitizer and UBSan, the fuzz targets for a bounded time, the
# Windows code under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in native sanitize fuzz windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

ctest --preset native
ctest --preset sanitize
ctest --preset fuzz

# The Windows tests run the 32-bit build where this machine runs 32-bit code,
# and the same sources built 64-bit where it cannot (some virtual machines).
windows_preset=$(scripts/windows-test-preset.sh)
if [ "$windows_preset" != windows ]; then
  cmake --preset "$windows_preset" >/dev/null
  cmake --build --preset "$windows_preset"
fi
# Wine runs outside ctest here too: each such script has a timeout a few
# times its usual time, so that a hang fails fast and names itself.
bounded() {
  local seconds=$1 code=0
  shift
  timeout "$seconds" "$@" || code=$?
  [ "$code" -ne 124 ] || echo "test.sh: stopped after $seconds s, hanging: $*" >&2
  return "$code"
}
bounded 300 scripts/build-samples.sh windows
echo "Windows tests: preset $windows_preset"
status=0
# A display number of its own: two runs starting at once must not share one.
display=$((100 + $$ % 800))
xvfb-run -a -n "$display" -s "-screen 0 1280x1024x24" ctest --preset "$windows_preset" || status=$?
WINEPREFIX="$PWD/build/$windows_preset/wineprefix" wineserver -k 2>/dev/null || true

# The samples' web pages, made by the shipped quizzpack under Wine, played in
# Chromium.
QUIZZ_TEST_PAGES=build/windows/samples bounded 600 node --test tests/web/samples.test.js ||
  status=$?

# The distribution as a newcomer gets it, made from the build this machine
# runs and tried in a Wine prefix of its own.
bounded 300 scripts/dist.sh "$windows_preset"
bounded 300 xvfb-run -a -n "$display" -s "-screen 0 1280x1024x24" \
  tests/dist/dist_test.sh build/"$windows_preset"/dist/quizz-*.zip "$windows_preset" || status=$?
exit "$status"
