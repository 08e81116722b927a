#!/usr/bin/env bash
# Runs the authoring tool under Wine from Linux, the same arguments as on
# Windows:  scripts/quizzpack.sh build samples/capitales/capitales.toml
# Absolute paths are turned into Wine's (relative ones work as they are).
# It uses the Windows build that this machine can run (QUIZZPACK_PRESET
# chooses another) and brings its quizzpack.exe up to date first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${QUIZZPACK_PRESET:-$("$root/scripts/windows-test-preset.sh")}
build=$root/build/$preset
if [ ! -f "$build/build.ninja" ]; then
  (cd "$root" && cmake --preset "$preset" >/dev/null)
fi
if ! build_log=$(cd "$root" && cmake --build --preset "$preset" --target quizzpack 2>&1); then
  echo "$build_log" >&2
  exit 2
fi

if [ "$preset" = windows ]; then wine=/usr/lib/wine/wine; else wine=/usr/lib/wine/wine64; fi
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" "$wine"

# Wine's drive Z: is the root of the Linux file system, so an absolute path
# needs no Wine call (winepath would start the 32-bit loader, which some
# machines lack, and can fail while another run stops the Wine server).
windows_path() {
  if [ "$(readlink "$WINEPREFIX/dosdevices/z:")" = / ]; then
    printf 'Z:%s\n' "${1//\//\\}"
  else
    "$wine" winepath.exe -w "$1"
  fi
}
args=()
for arg in "$@"; do
  case "$arg" in
    /*) translated=$(windows_path "$arg") ;;
    -*=/*) translated="${arg%%=*}=$(windows_path "${arg#*=}")" ;;
    *) translated=$arg ;;
  esac
  if [ -n "$arg" ] && [ -z "$translated" ]; then
    echo "quizzpack.sh: cannot give Wine the path $arg" >&2
    exit 2
  fi
  args+=("$translated")
done
exec "$wine" "$build/bin/quizzpack.exe" "${args[@]}"
