#!/usr/bin/env bash
# Prints the preset whose Windows programs Wine can run on this machine:
# "windows" (the 32-bit player as shipped) when the kernel runs 32-bit code,
# else "windows64".
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo windows
else
  echo windows64
fi
