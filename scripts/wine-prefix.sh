#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX once, even when several programs start at
# the same moment, and makes it draw as Windows does: Wine's own fonts in its
# Fonts folder (Marlett draws the caption buttons, which are letters without
# it; MS Sans Serif and System are the player's fonts), and dialog text
# ("MS Shell Dlg") in MS Sans Serif as on Windows, where Wine takes Tahoma,
# a wider font that cuts the player's fixed-size labels.
#   scripts/wine-prefix.sh WINE_LOADER
set -euo pipefail
wine=$1
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
