#!/usr/bin/env bash
# Installs, as root and idempotently, what a fresh Debian 12 machine lacks to
# build and test Quizz. Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-apps python3
  gstreamer1.0-plugins-good
  # 32-bit Wine plays sounds and films with its own 32-bit libraries, as a
  # Linux player's Wine has them: without GStreamer an MP3 never opens, and
  # without OpenGL the film renderer crashes inside quartz.dll.
  gstreamer1.0-plugins-good:i386 gstreamer1.0-plugins-base:i386
  libgl1:i386 libgl1-mesa-dri:i386
  # Arial's measures, which Wine takes for a font named by no face (the
  # header's link), as Windows does: the wider DejaVu cuts the link.
  fonts-liberation
  imagemagick ffmpeg ncompress valgrind
  libtomlplusplus-dev libstb-dev zip unzip
  # zlib inflates the workbooks that the import reads, in both builds.
  zlib1g-dev libz-mingw-w64-dev
  # The web page: Emscripten compiles the cores (its tools need acorn),
  # terser minifies the page's script, and the page's tests play it in
  # Chromium driven from node.
  emscripten node-acorn terser chromium nodejs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# A node from elsewhere brings its own npm, which Debian's npm would clash
# with.
command -v npm >/dev/null || missing+=(npm)

# The page's tests drive Chromium with playwright-core, pinned by its lock;
# installed again only when the lock changed since (no browser download: they
# use Debian's chromium).
install_page_test_modules() {
  local dir
  dir="$(cd "$(dirname "$0")/.." && pwd)/tests/web"
  if ! cmp -s "$dir/package-lock.json" "$dir/node_modules/.quizz-lock" 2>/dev/null; then
    (cd "$dir" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error &&
      cp package-lock.json node_modules/.quizz-lock)
  fi
}

if [ "${#missing[@]}" -eq 0 ]; then
  install_page_test_modules
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: run as root to install: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
install_page_test_modules
