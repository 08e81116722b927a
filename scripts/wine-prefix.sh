#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX once, even when several programs start at
# the same moment, and makes it draw as Windows does: Wine's own fonts in its
# Fonts folder (Marlett draws the caption buttons, which are letters without
# it; MS Sans Serif and System are the player's fonts), and dialog text
# ("MS Shell Dlg") in MS Sans Serif as on Windows, where Wine takes Tahoma,
# a wider font that cuts the player's fixed-size labels.
#   scripts/wine-prefix.sh WINE_LOADER [--session]
# With --session it then starts a Wine session that lasts until
# `wineserver -k`, detached from the caller's output: the session's own
# processes outlive the program that starts them and keep its output open,
# so ctest would count a test's time until the session ends.
set -euo pipefail
wine=$1
session=${2:-}
: "${WINEPREFIX:?set WINEPREFIX}"
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.quizz-prefix" ]; then
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    "$wine" wineboot -i >/dev/null 2>&1
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "MS Shell Dlg" /d "MS Sans Serif" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quizz-prefix"
  fi
) 9>"$WINEPREFIX.lock"

if [ "$session" = --session ]; then
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # A persistent server keeps the session's processes after the last program.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1
fi
